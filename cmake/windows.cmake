# The Windows build: one static GUI executable that runs on Windows 7 to 11
# with nothing beside it, and GoogleTest built from Debian's sources.
add_compile_definitions(UNICODE _UNICODE _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX
                        WIN32_LEAN_AND_MEAN)
# No libstdc++, libgcc or winpthread DLL: only DLLs every Windows has.
add_link_options(-static)
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(-Wl,--gc-sections $<$<CONFIG:Release,MinSizeRel>:-s>)

set(QUILLOP_GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
if(EXISTS ${QUILLOP_GOOGLETEST_DIR}/CMakeLists.txt)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${QUILLOP_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Its own code is not held to this project's warnings.
  set_target_properties(gtest gtest_main PROPERTIES COMPILE_WARNING_AS_ERROR OFF)
  set(GTest_FOUND TRUE)
endif()
