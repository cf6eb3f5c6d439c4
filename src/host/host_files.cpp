#include "host/host_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "host/user_error.h"

Bytes ReadHostFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw UserError(path + ": cannot be read (" + std::strerror(errno) + ")");
    Bytes data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw UserError(path + ": cannot be read");
    return data;
}

void WriteHostFile(const std::string& path, const Bytes& data)
{
    const std::string partial = path + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (!out) throw UserError(path + ": cannot be written (" + std::strerror(errno) + "); check the folder");
        out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
        out.flush();
        if (!out) {
            std::remove(partial.c_str());
            throw UserError(path + ": cannot be written; check the free space");
        }
    }
    if (std::rename(partial.c_str(), path.c_str()) != 0) {
        const int e = errno;
        std::remove(partial.c_str());
        throw UserError(path + ": cannot be written (" + std::strerror(e) + ")");
    }
}
