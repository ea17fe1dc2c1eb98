# The INI-file class of the layer.
target_sources(platform_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/IniFile.cpp)
