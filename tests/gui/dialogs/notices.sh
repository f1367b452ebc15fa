# The notices and simple questions through the GUI driver (args: dialoghost.exe, this directory).
host=$1
dir=$2
long='C:'
for i in 1 2 3 4 5 6 7 8 9; do long+='\とても長いディレクトリ名'; done
gui_run host "$dir/notices.txt" 0 "$host" \
    changedisk 3 querycancel querycancel errorexit 'テスト製品 1.0' \
    nosrcfile 'C:\SRC\100%s\表示ソ.DLL' \
    notice 155 notice 156 notice 157 notice 165 \
    access 'FILE%d.DLL' failwrite 'C:\APP\100%\SUB\FILE.DLL' failwrite "$long\\FILE.DLL" \
    failread 'C:\SRC\DISK1\FILE.DL_' 'C:\SRC\DISK1' changedisk 1 || return 1
expect_output host "changedisk 1
querycancel 2
querycancel 1
errorexit 1
nosrcfile 1
notice 1
notice 1
notice 2
notice 1
access 1
failwrite 1
failwrite 1
failread 1
changedisk 2"
