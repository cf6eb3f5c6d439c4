// Times the previews of three 320x400 slots on the real platform: the
// pictures are slot0.bmp to slot2.bmp beside the exe; the median of 21 runs
// goes to preview_times.txt there.
#include <windows.h>

#include "platform/win32/win32_files.h"
#include "platform/win32/win32_platform.h"
#include "ui/main_window/previews.h"

void RunGlobalConstructors();

namespace {
void PreviewAll(MainWindow& w, const Text* paths)
{
    for (int slot = 0; slot < kSlotCount; ++slot) (void)PreviewFile(w, slot, paths[slot]);
}

class Quiet final : public FormEvents {
public:
    void Load(FormHandle) override {}
    void Unload() override {}
    void Click(int) override {}
};

constexpr int kRuns = 21;
}

extern "C" void WINAPI PlumwickEntry()
{
    RunGlobalConstructors();
    Win32Platform* platform = new Win32Platform;
    Tool* tool = new Tool(*platform, *new Win32Files);
    MainWindow* window = new MainWindow(*tool);  // opened without its opening steps
    (void)platform->loadForm(kMainWindowDef, new Quiet, &window->form);
    Text folder = platform->toolFolder();
    const Text paths[] = {folder + "\\slot0.bmp", folder + "\\slot1.bmp", folder + "\\slot2.bmp"};
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    long micros[kRuns];
    PreviewAll(*window, paths);
    for (int i = 0; i < kRuns; ++i) {
        QueryPerformanceCounter(&start);
        PreviewAll(*window, paths);
        QueryPerformanceCounter(&end);
        micros[i] = static_cast<long>((end.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart);
    }
    for (int i = 1; i < kRuns; ++i)
        for (int j = i; j > 0 && micros[j - 1] > micros[j]; --j) {
            long swap = micros[j];
            micros[j] = micros[j - 1];
            micros[j - 1] = swap;
        }
    char line[128];
    int length =
        wsprintfA(line, "previews of three 320x400 slots: median %ld us, fastest %ld us, slowest %ld us (%d runs)\r\n",
                  micros[kRuns / 2], micros[0], micros[kRuns - 1], kRuns);
    HANDLE out = CreateFileA((folder + "\\preview_times.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written;
    WriteFile(out, line, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(out);
    ExitProcess(0);
}
