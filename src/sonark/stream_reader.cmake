# Streaming reader for internet radio (no toolkit dependency).
# Included from src/sonark/CMakeLists.txt.
find_package(Threads REQUIRED)
find_package(OpenSSL 3 REQUIRED)

add_library(sonark_stream STATIC
  ${CMAKE_CURRENT_LIST_DIR}/stream_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stream_worker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stream_connection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tls_session.cpp
  ${CMAKE_CURRENT_LIST_DIR}/http_address.cpp
  ${CMAKE_CURRENT_LIST_DIR}/http_answer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/icy_demuxer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/station_list_answer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ascii_text.cpp
)
# Both "stream_reader.h" and "sonark/stream_reader.h" resolve.
target_include_directories(sonark_stream PUBLIC ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_LIST_DIR}/..)
target_compile_features(sonark_stream PUBLIC cxx_std_20)
target_link_libraries(sonark_stream PUBLIC Threads::Threads PRIVATE OpenSSL::SSL OpenSSL::Crypto)
