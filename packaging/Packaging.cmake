# The release zip for Windows users, built in the mingw (or native Windows) build:
#
#   cmake --build --preset mingw --target package
#
# writes build/mingw/quillaro_palette-<version>-win64.zip holding quillaro_palette.exe and
# README-Windows.txt at the top of the zip and the example group files in samples/.
# Included from the top-level CMakeLists.txt, so `package` is the usual CPack target there.

set(QUILLARO_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})

# Everything of the zip belongs to one install component, so other install rules (test
# programs, say) never end up in it.
install(TARGETS quillaro_palette RUNTIME DESTINATION . COMPONENT palette)
install(FILES ${QUILLARO_PACKAGING_DIR}/README-Windows.txt DESTINATION . COMPONENT palette)
install(FILES
  ${QUILLARO_PACKAGING_DIR}/samples/user_define_0.txt
  ${QUILLARO_PACKAGING_DIR}/samples/user_define_1.txt
  DESTINATION samples COMPONENT palette)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME quillaro_palette)
set(CPACK_PACKAGE_VENDOR "Quillaro")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(QUILLARO_PACKAGE_FILE_NAME quillaro_palette-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_FILE_NAME ${QUILLARO_PACKAGE_FILE_NAME})
# The files sit at the top of the zip; Explorer's "Extract All" makes the folder.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};palette;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)

# The package check runs on the build machine: it builds the zip with the command above and
# reads it back.
enable_testing()
find_package(Python3 COMPONENTS Interpreter)
if(Python3_Interpreter_FOUND)
  add_test(NAME package_zip
    COMMAND ${Python3_EXECUTABLE} ${QUILLARO_PACKAGING_DIR}/check_package.py
      --cmake ${CMAKE_COMMAND} --build-dir ${CMAKE_BINARY_DIR} --config $<CONFIG>
      --zip ${CMAKE_BINARY_DIR}/${QUILLARO_PACKAGE_FILE_NAME}.zip)
  # Builds into the shared build tree; never alongside another test that builds.
  set_tests_properties(package_zip PROPERTIES RESOURCE_LOCK build_tree TIMEOUT 600)
else()
  message(STATUS "python3 not found: the package_zip test is not added")
endif()
