# The real-copy tests: the media parts go into C:\tests\fixtures beside the
# test program. Arguments: the test program, then the media parts.
exe=$1
shift
put tests/fixtures "$@"
run_gtest "$exe"
