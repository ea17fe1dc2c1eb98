# Drawing pieces of the layer: 24-bit bitmaps with direct pixel access and a canvas over
# QPainter. They need QtGui only, so the renderer and the rules stay free of widgets.
add_library(platform_gui STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Bitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Canvas.cpp)
target_include_directories(platform_gui PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(platform_gui PUBLIC platform_core Qt6::Gui)
