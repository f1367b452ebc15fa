# Test script: runs the path-variable tests (the argument) from a directory
# more than 260 characters deep, where the program's own path no longer fits
# the usual MAX_PATH buffer of GetModuleFileNameA.
exe=$1
dir=deep
for i in 1 2 3 4 5 6; do dir="$dir/$(printf 'p%.0s' $(seq 1 50))"; done
put "$dir" "$exe"
winexe="C:\\${dir//\//\\}\\$(basename "$exe")"
[ "${#winexe}" -gt 300 ] || { echo "program path only ${#winexe} characters"; exit 1; }
wine_cmd "$winexe" --gtest_color=no --gtest_filter='PathVarsTest.ModulePath*'
