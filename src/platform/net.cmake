# The line-mode socket layer of the game link: client and listening sockets over QtNetwork,
# with CR LF framing, a line limit, line editing and SOCKS 5; the asynchronous HTTP
# component and the blocking HTTP GET.
add_library(platform_net STATIC
  ${CMAKE_CURRENT_LIST_DIR}/LineSocket.cpp ${CMAKE_CURRENT_LIST_DIR}/HttpComponent.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BlockingHttp.cpp ${CMAKE_CURRENT_LIST_DIR}/WireUrl.cpp)
target_include_directories(platform_net PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(platform_net PUBLIC platform_core Qt6::Network)
