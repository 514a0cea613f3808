# The real program and the Windows-side test programs.
enable_language(RC)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
# Statically linked, so that the program imports system DLLs only.
add_link_options(-static -static-libgcc -static-libstdc++)

add_library(vantrel_win32 STATIC
  platform/win32/win32_os.cpp
  platform/win32/win32_ui.cpp
)
target_link_libraries(vantrel_win32 PUBLIC vantrel_program comctl32 shell32 gdi32 user32 advapi32)

string(REPLACE "." "," VANTREL_VERSION_COMMAS "${VANTREL_VERSION},0,0")
set(VANTREL_RESOURCES "${CMAKE_SOURCE_DIR}/resources")
configure_file(resources/vantrel.rc.in ${CMAKE_BINARY_DIR}/vantrel.rc @ONLY)

add_executable(Vantrel WIN32 main/win32_main.cpp main/memory_failure.cpp ${CMAKE_BINARY_DIR}/vantrel.rc)
target_link_libraries(Vantrel PRIVATE vantrel_win32)

# GoogleTest, built for Windows from Debian's sources.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_SOURCE} googletest EXCLUDE_FROM_ALL)
foreach(target gtest gtest_main gmock gmock_main)
  if(TARGET ${target})
    target_compile_options(${target} PRIVATE -Wno-error)
  endif()
endforeach()

# The port's conformance suite against the real Win32 functions.
add_executable(port_tests tests/port/file_system_test.cpp tests/port/registry_port_test.cpp
  tests/port/registry_accessor_test.cpp
  tests/port/port_env_win32.cpp tests/port/quiet_debug_output.cpp)
target_link_libraries(port_tests PRIVATE vantrel_win32 gtest_main)

# The end-to-end driver that operates the real program from outside.
add_executable(e2e_driver tests/wine/driver.cpp)
target_link_libraries(e2e_driver PRIVATE user32 shell32)
target_link_options(e2e_driver PRIVATE -municode)
