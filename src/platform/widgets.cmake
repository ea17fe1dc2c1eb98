# The message boxes of the windowed programs, over Qt Widgets.
add_library(platform_widgets STATIC ${CMAKE_CURRENT_LIST_DIR}/QtMessageBox.cpp)
target_include_directories(platform_widgets PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(platform_widgets PUBLIC platform_core Qt6::Widgets)
