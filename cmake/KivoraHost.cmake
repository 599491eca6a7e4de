# The host build of the platform-free code, under AddressSanitizer and UBSan.
set(KIVORA_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
add_compile_options(${KIVORA_SANITIZE} -g)
add_link_options(${KIVORA_SANITIZE})
if(KIVORA_FUZZ)
  # Coverage for the fuzzers in every library they link.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/deps/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

# kivora_host_test(<target> SOURCES ... LIBS ...): a native GoogleTest executable.
function(kivora_host_test target)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${T_SOURCES})
  target_link_libraries(${target} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  kivora_warnings(${target})
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST PROPERTIES LABELS host TIMEOUT 120)
endfunction()

# kivora_fuzzer(<target> SOURCES ... LIBS ...): a libFuzzer target (clang only). Each one
# also gets a short CTest smoke run over its seed corpus, so the fuzzers keep building.
function(kivora_fuzzer target)
  cmake_parse_arguments(T "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  if(NOT KIVORA_FUZZ)
    return()
  endif()
  add_executable(${target} ${T_SOURCES})
  target_link_libraries(${target} PRIVATE ${T_LIBS})
  target_compile_options(${target} PRIVATE -fsanitize=fuzzer)
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
  if(T_CORPUS)
    # New inputs go to the first folder named: a scratch folder in the build tree, so the
    # committed seed corpus stays as it is.
    set(scratch ${CMAKE_CURRENT_BINARY_DIR}/${target}.corpus)
    file(MAKE_DIRECTORY ${scratch})
    add_test(NAME ${target}.smoke COMMAND ${target} -runs=2000 ${scratch} ${T_CORPUS})
  else()
    add_test(NAME ${target}.smoke COMMAND ${target} -runs=2000)
  endif()
  set_tests_properties(${target}.smoke PROPERTIES LABELS host TIMEOUT 300)
endfunction()
