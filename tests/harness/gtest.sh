# Test script: runs one GoogleTest program (the argument) in the test's prefix.
run_gtest "$1"
