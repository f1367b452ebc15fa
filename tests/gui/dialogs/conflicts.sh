# The conflict questions through the GUI driver (args: dialoghost.exe, this directory).
host=$1
dir=$2
ro='C:\APP\SUB\READ&ONLY.DLL'
gui_run host "$dir/conflicts.txt" 0 "$host" \
    readonly "$ro" readonly "$ro" readonly "$ro" readonly "$ro" readonly "$ro" \
    inuse FILE.DLL inuse FILE.DLL inuse FILE.DLL inuse FILE.DLL \
    cannotdelete FILE.DLL cannotdelete FILE.DLL cannotdelete FILE.DLL || return 1
expect_output host "readonly 1012
readonly 1013
readonly 2
readonly 2
readonly 2
inuse 1
inuse 1027
inuse 2
inuse 2
cannotdelete 1
cannotdelete 2
cannotdelete 2"
