# Test script: the removal steps' GoogleTest program, with the test control beside it.
put tests "$2"
run_gtest "$1"
