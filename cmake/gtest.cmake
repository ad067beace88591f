# GoogleTest for a cross-build to Windows: there is no prebuilt library for
# the target, so build it from the sources Debian ships (package googletest)
# and let find_package(GTest) find those targets. A native build leaves
# find_package(GTest) to find the system's GoogleTest as usual.
if(CMAKE_CROSSCOMPILING AND WIN32)
  set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for the cross-build")
  if(NOT EXISTS ${GTEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources in ${GTEST_SOURCE_DIR} (install the googletest package)")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  include(FetchContent)
  # SOURCE_DIR names sources already on disk: nothing is downloaded.
  # OVERRIDE_FIND_PACKAGE makes find_package(GTest) use these targets,
  # GTest::gtest and GTest::gtest_main.
  FetchContent_Declare(GTest SOURCE_DIR ${GTEST_SOURCE_DIR} OVERRIDE_FIND_PACKAGE)
  FetchContent_MakeAvailable(GTest)
endif()
