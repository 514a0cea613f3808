# The same program on a simulated Windows, and its tests.
find_package(Threads REQUIRED)

add_library(vantrel_sim STATIC
  platform/sim/sim_os.cpp
  platform/sim/sim_registry.cpp
  platform/sim/sim_regedit.cpp
  platform/sim/sim_paths.cpp
  platform/sim/sim_codepage.cpp
  platform/headless/headless_ui.cpp
)
target_link_libraries(vantrel_sim PUBLIC vantrel_program Threads::Threads)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_SOURCE} googletest EXCLUDE_FROM_ALL)

enable_testing()
add_executable(native_tests
  tests/native/dbcs_test.cpp
  tests/native/startup_test.cpp
  tests/native/main_window_test.cpp
  tests/native/switch_test.cpp
  tests/native/registry_test.cpp
  tests/native/detection_test.cpp
  tests/native/sim_fixture.cpp
)
target_link_libraries(native_tests PRIVATE vantrel_sim gtest_main)
target_compile_definitions(native_tests PRIVATE VANTREL_SITE_HOST="${VANTREL_SITE_HOST}")
add_test(NAME native_tests COMMAND native_tests)

# The port's conformance suite, here against the simulation.
add_executable(port_tests tests/port/file_system_test.cpp tests/port/registry_port_test.cpp
  tests/port/registry_accessor_test.cpp
  tests/port/port_env_sim.cpp)
target_link_libraries(port_tests PRIVATE vantrel_sim gtest_main)
add_test(NAME port_tests COMMAND port_tests)
