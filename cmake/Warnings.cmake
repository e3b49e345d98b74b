# Every target of the project builds with these warnings, and a warning is an error.
add_compile_options(-Wall -Wextra -Werror)
