# Zip extraction over libzip: every entry is checked before anything is written.
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)
add_library(platform_zip STATIC ${CMAKE_CURRENT_LIST_DIR}/ZipExtract.cpp ${CMAKE_CURRENT_LIST_DIR}/ZipUnpacker.cpp)
target_include_directories(platform_zip PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(platform_zip PUBLIC platform_core Qt6::Core PRIVATE PkgConfig::LIBZIP)
