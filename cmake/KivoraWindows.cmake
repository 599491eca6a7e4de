# The Windows x64 build: definitions, libraries from Debian's sources, the Wine test runner.

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

# Tests run the .exe files under Wine, in private prefixes under the build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run --build ${CMAKE_BINARY_DIR})

# kivora_gui_program(<target> sources...): a GUI-subsystem program entered at wWinMain.
function(kivora_gui_program target)
  add_executable(${target} WIN32 ${ARGN})
  target_link_options(${target} PRIVATE -municode)
  kivora_warnings(${target})
endfunction()

# kivora_console_program(<target> sources...): a console program entered at wmain.
function(kivora_console_program target)
  add_executable(${target} ${ARGN})
  target_link_options(${target} PRIVATE -municode)
  kivora_warnings(${target})
endfunction()

include(KivoraJpeg)
include(KivoraGoogleTest)
