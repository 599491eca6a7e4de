# libjpeg-turbo, built as a static mingw library from Debian's source package.
# scripts/setup enables source packages; the orig tarball is downloaded once into the
# build tree (apt-get source --download-only) and built by ExternalProject.
include(ExternalProject)

set(KIVORA_JPEG_SRC ${CMAKE_BINARY_DIR}/deps/libjpeg-turbo-src)
file(GLOB _jpeg_orig ${KIVORA_JPEG_SRC}/libjpeg-turbo_*.orig.tar.gz)
if(NOT _jpeg_orig)
  file(MAKE_DIRECTORY ${KIVORA_JPEG_SRC})
  message(STATUS "Fetching Debian's libjpeg-turbo source package")
  execute_process(COMMAND apt-get source --download-only libjpeg-turbo
                  WORKING_DIRECTORY ${KIVORA_JPEG_SRC}
                  RESULT_VARIABLE _jpeg_rc OUTPUT_QUIET)
  file(GLOB _jpeg_orig ${KIVORA_JPEG_SRC}/libjpeg-turbo_*.orig.tar.gz)
  if(NOT _jpeg_orig)
    message(FATAL_ERROR "Could not get libjpeg-turbo's source package (run scripts/setup first)")
  endif()
endif()
list(GET _jpeg_orig 0 _jpeg_orig)

set(KIVORA_JPEG_PREFIX ${CMAKE_BINARY_DIR}/deps/libjpeg-turbo)
ExternalProject_Add(libjpeg_turbo_build
  URL ${_jpeg_orig}
  PREFIX ${CMAKE_BINARY_DIR}/deps/libjpeg-turbo-build
  INSTALL_DIR ${KIVORA_JPEG_PREFIX}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
    -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
    -DCMAKE_BUILD_TYPE=Release
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=ON -DWITH_TURBOJPEG=OFF
    -DCMAKE_POSITION_INDEPENDENT_CODE=ON
  BUILD_BYPRODUCTS <INSTALL_DIR>/lib/libjpeg.a
  DOWNLOAD_EXTRACT_TIMESTAMP ON
  LOG_CONFIGURE ON LOG_BUILD ON LOG_INSTALL ON)

file(MAKE_DIRECTORY ${KIVORA_JPEG_PREFIX}/include)
add_library(jpeg_static STATIC IMPORTED GLOBAL)
set_target_properties(jpeg_static PROPERTIES
  IMPORTED_LOCATION ${KIVORA_JPEG_PREFIX}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${KIVORA_JPEG_PREFIX}/include)
add_dependencies(jpeg_static libjpeg_turbo_build)
add_library(Kivora::jpeg ALIAS jpeg_static)
