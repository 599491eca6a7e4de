# GoogleTest for Windows, built with the mingw toolchain from Debian's googletest sources.
set(KIVORA_GTEST_SRC /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${KIVORA_GTEST_SRC}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found at ${KIVORA_GTEST_SRC} (run scripts/setup)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${KIVORA_GTEST_SRC} ${CMAKE_BINARY_DIR}/deps/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

# kivora_test(<target> [PREFIX <kind>] [TIMEOUT <s>] SOURCES ... LIBS ... [ENV VAR=value ...]
#             [SERIAL] [FIXTURES <name>] [SETS_UP <name>] [TEST_PREFIX <text>]):
# a GoogleTest executable whose tests CTest runs under Wine. PREFIX picks the Wine prefix
# kind ("default"; "devices" has the test camera, microphone and ASF writer registered;
# "bare" has no capture device); every test has a timeout, since a hung window never
# ends. SERIAL keeps the tests from running beside other SERIAL tests (shared screen).
# FIXTURES names a CTest fixture (e.g. test media made on the build machine) they need;
# SETS_UP names one they make (e.g. recordings that a check on the build machine reads).
# TEST_PREFIX goes before each test's name in CTest, for tests of a source that another
# executable also runs (e.g. under another ENV).
function(kivora_test target)
  cmake_parse_arguments(T "SERIAL" "PREFIX;TIMEOUT;FIXTURES;SETS_UP;TEST_PREFIX" "SOURCES;LIBS;ENV" ${ARGN})
  if(NOT T_PREFIX)
    set(T_PREFIX default)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${target} ${T_SOURCES})
  target_link_libraries(${target} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  kivora_warnings(${target})
  # The environment goes through the target's own emulator command line, which both test
  # discovery and the test runs use (discovery ignores the ENVIRONMENT test property).
  set(emulator ${CMAKE_CROSSCOMPILING_EMULATOR} --env KIVORA_PREFIX=${T_PREFIX})
  foreach(var ${T_ENV})
    list(APPEND emulator --env ${var})
  endforeach()
  set_target_properties(${target} PROPERTIES CROSSCOMPILING_EMULATOR "${emulator}")
  set(props TIMEOUT ${T_TIMEOUT} LABELS wine)
  if(T_SERIAL)
    list(APPEND props RESOURCE_LOCK screen)
  endif()
  if(T_FIXTURES)
    list(APPEND props FIXTURES_REQUIRED ${T_FIXTURES})
  endif()
  if(T_SETS_UP)
    list(APPEND props FIXTURES_SETUP ${T_SETS_UP})
  endif()
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    TEST_PREFIX "${T_TEST_PREFIX}"
    PROPERTIES ${props})
endfunction()
