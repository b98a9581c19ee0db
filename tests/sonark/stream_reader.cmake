# Tests of the streaming reader, plus the loopback HTTP server other tests may reuse.
# Included from tests/CMakeLists.txt; needs GTest found and sonark_stream defined.
find_package(Threads REQUIRED)
include(GoogleTest)

if(NOT TARGET ludro_test_http_server)
  add_library(ludro_test_http_server STATIC ${CMAKE_CURRENT_LIST_DIR}/../support/http_test_server.cpp)
  # Include as "support/http_test_server.h" or "http_test_server.h".
  target_include_directories(ludro_test_http_server PUBLIC
    ${CMAKE_CURRENT_LIST_DIR}/.. ${CMAKE_CURRENT_LIST_DIR}/../support)
  target_compile_features(ludro_test_http_server PUBLIC cxx_std_20)
  target_link_libraries(ludro_test_http_server PUBLIC Threads::Threads)
endif()

# TLS for the tests: an authority made at run time and a TLS front for loopback servers.
if(NOT TARGET ludro_test_tls)
  find_package(OpenSSL 3 REQUIRED)
  add_library(ludro_test_tls STATIC
    ${CMAKE_CURRENT_LIST_DIR}/../support/test_authority.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../support/tls_test_proxy.cpp)
  target_include_directories(ludro_test_tls PUBLIC
    ${CMAKE_CURRENT_LIST_DIR}/.. ${CMAKE_CURRENT_LIST_DIR}/../support)
  target_compile_features(ludro_test_tls PUBLIC cxx_std_20)
  target_link_libraries(ludro_test_tls PUBLIC Threads::Threads PRIVATE OpenSSL::SSL OpenSSL::Crypto)
endif()

add_executable(stream_reader_test ${CMAKE_CURRENT_LIST_DIR}/stream_reader_test.cpp)
target_link_libraries(stream_reader_test PRIVATE sonark_stream ludro_test_http_server ludro_test_tls GTest::gtest_main)
# "threads": the stream worker runs again under ThreadSanitizer.
gtest_discover_tests(stream_reader_test TEST_FILTER "-*.Timing*" DISCOVERY_TIMEOUT 30 PROPERTIES TIMEOUT 60 LABELS threads)
# Elapsed time asserted: skipped by the sanitizer runs.
gtest_discover_tests(stream_reader_test TEST_FILTER "*.Timing*" DISCOVERY_TIMEOUT 30 PROPERTIES TIMEOUT 60 LABELS timing)
