# The release package for Windows users: `cmake --build build --target package` writes
# build/Kivora-<version>-win64.zip with the programs a user runs and a README.txt, under
# one folder of the same name. Nothing of the tests goes in: no test stand-ins, test
# programs or test DLLs (they have no install rules).
#
# Included after every folder has been added, so that a program's target exists when its
# install rule is made. KIVORA_PACKAGE_FILES lists what the zip holds (the package test
# compares with it).

set(_programs Kivora Mediscope kivora-skin)
set(_readme_extra "")
# The skin gallery joins the package once it is built.
if(TARGET SkinGallery)
  list(APPEND _programs SkinGallery)
  set(_readme_extra "SkinGallery.exe  every skinnable control on one window, skinned or with\n                 --native: for skin authors.\n")
endif()
install(TARGETS ${_programs} RUNTIME DESTINATION .)

# README.txt with Windows line ends, so that every Notepad shows its lines.
set(KIVORA_VERSION ${PROJECT_VERSION})
set(KIVORA_README_EXTRA "${_readme_extra}")
configure_file(${CMAKE_SOURCE_DIR}/assets/package/README.txt ${CMAKE_BINARY_DIR}/package/README.lf.txt @ONLY)
file(READ ${CMAKE_BINARY_DIR}/package/README.lf.txt _readme)
string(REPLACE "\n" "\r\n" _readme "${_readme}")
file(WRITE ${CMAKE_BINARY_DIR}/package/README.txt "${_readme}")
install(FILES ${CMAKE_BINARY_DIR}/package/README.txt DESTINATION .)

set(KIVORA_PACKAGE_NAME Kivora-${PROJECT_VERSION}-win64)
set(KIVORA_PACKAGE_FILES README.txt)
foreach(program ${_programs})
  list(APPEND KIVORA_PACKAGE_FILES ${program}.exe)
endforeach()
list(SORT KIVORA_PACKAGE_FILES)
string(REPLACE ";" "\n" _contents "${KIVORA_PACKAGE_FILES}")
file(WRITE ${CMAKE_BINARY_DIR}/package/contents.txt "${_contents}\n")

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Kivora)
set(CPACK_PACKAGE_VENDOR Kivora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${KIVORA_PACKAGE_NAME})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# The symbols stay in the build tree's programs; the users' copies are smaller.
if(CMAKE_STRIP)
  set(CPACK_STRIP_FILES ON)
endif()
include(CPack)
