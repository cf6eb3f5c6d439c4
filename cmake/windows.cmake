# The Windows exe, freestanding: no C or C++ runtime DLL, our own entry
# point, code a 386 can run (i686) and the same code for x86-64.
enable_language(RC)
set(CMAKE_CXX_STANDARD_LIBRARIES "")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

set(PLUMWICK_FREESTANDING_COMPILE
    ${PLUMWICK_ARCH_FLAGS} -Os -fno-exceptions -fno-rtti -fno-threadsafe-statics
    -fno-asynchronous-unwind-tables -fno-unwind-tables -fno-stack-protector -fcheck-new
    -ffunction-sections -fdata-sections -fno-ident ${PLUMWICK_CHARSET} ${PLUMWICK_WARNINGS}
    -DWINVER=0x0400 -D_WIN32_WINNT=0x0400 -DWIN32_LEAN_AND_MEAN)
set(PLUMWICK_FREESTANDING_LINK
    ${PLUMWICK_ARCH_FLAGS} -nostdlib -nostartfiles -static -s
    -Wl,-e,${PLUMWICK_ENTRY} -Wl,--subsystem,windows:4.0
    -Wl,--major-os-version,4 -Wl,--minor-os-version,0 -Wl,--gc-sections
    -Wl,--no-insert-timestamp)  # no link time: the same sources give the same exe

function(plumwick_freestanding target)
    target_compile_options(${target} PRIVATE ${PLUMWICK_FREESTANDING_COMPILE})
    target_link_options(${target} PRIVATE ${PLUMWICK_FREESTANDING_LINK})
    target_link_libraries(${target} PRIVATE plumwick_decoders kernel32 user32 gdi32 gcc)
endfunction()

# The core and the Win32 platform, built once for the tool and the benchmark.
file(GLOB WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
list(FILTER WIN32_SOURCES EXCLUDE REGEX "entry\\.cpp$")
add_library(plumwick_objects OBJECT ${CORE_SOURCES} ${WIN32_SOURCES})
target_compile_options(plumwick_objects PRIVATE ${PLUMWICK_FREESTANDING_COMPILE})
plumwick_use_decoders(plumwick_objects PRIVATE)
# The decoders' C, as freestanding as the rest.
target_compile_options(plumwick_decoders PRIVATE
    ${PLUMWICK_ARCH_FLAGS} -Os -fno-asynchronous-unwind-tables -fno-unwind-tables -fno-stack-protector
    -ffunction-sections -fdata-sections -fno-ident)

add_executable(plumwick WIN32 src/platform/win32/entry.cpp src/resources/plumwick.rc
               $<TARGET_OBJECTS:plumwick_objects>)
# windres does not report the files the .rc takes in: a changed picture must rebuild it.
file(GLOB RESOURCE_FILES CONFIGURE_DEPENDS src/resources/*.bmp src/resources/*.ico src/resources/*.h)
set_source_files_properties(src/resources/plumwick.rc PROPERTIES OBJECT_DEPENDS "${RESOURCE_FILES}")
plumwick_freestanding(plumwick)
target_include_directories(plumwick PRIVATE src/resources)
set_target_properties(plumwick PROPERTIES OUTPUT_NAME Plumwick)
add_custom_command(TARGET plumwick POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different
            ${CMAKE_SOURCE_DIR}/src/resources/DfltLogo.sys $<TARGET_FILE_DIR:plumwick>/DfltLogo.sys)

if(PLUMWICK_BENCHMARKS)
    # A bare window with the same flags, for comparing start-up times.
    add_executable(bare_window WIN32 bench/bare_window.cpp src/platform/win32/runtime.cpp)
    plumwick_freestanding(bare_window)
    add_executable(bare_controls WIN32 bench/bare_window.cpp src/platform/win32/runtime.cpp)
    target_compile_definitions(bare_controls PRIVATE BARE_WITH_CONTROLS)
    plumwick_freestanding(bare_controls)

    # The preview run on the real platform, timed (bench/preview.py runs it).
    add_executable(preview_run WIN32 bench/preview_run.cpp $<TARGET_OBJECTS:plumwick_objects>)
    plumwick_freestanding(preview_run)

    # The conversion of a large picture into a logo, timed (bench/convert.py runs it).
    add_executable(convert_run WIN32 bench/convert_run.cpp $<TARGET_OBJECTS:plumwick_objects>)
    plumwick_freestanding(convert_run)
endif()

# The end-to-end driver, an ordinary static program for the same Wine as the tool.
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/e2e/driver/CMakeLists.txt)
    add_subdirectory(tests/e2e/driver)
endif()
