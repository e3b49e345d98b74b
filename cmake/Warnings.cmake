# Every target of the project builds with these warnings, and a warning is an error.
add_compile_options(-Wall -Wextra -Werror)

# GCC 12 at -O2/-O3 reports -Wrestrict on plain std::string concatenation (GCC bug 105329, a
# false positive inside libstdc++); it says nothing about our code, so it is switched off there.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 14)
  add_compile_options(-Wno-restrict)
endif()
