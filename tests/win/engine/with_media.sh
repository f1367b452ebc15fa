# Runs a GoogleTest program with the test media beside it in C:\tests.
# Arguments: the test program, then the media files.
exe=$1
shift
put tests "$@"
run_gtest "$exe"
