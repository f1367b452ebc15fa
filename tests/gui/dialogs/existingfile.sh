# The existing-file questions through the GUI driver (args: dialoghost.exe, this directory).
host=$1
dir=$2
# File times are set on the Unix side and read back by Wine as local time:
# both sides use the same zone (Japan: no daylight saving time).
export TZ=Asia/Tokyo
c=$WINEPREFIX/drive_c
# file PATH SIZE "DATE": a file under C: with this size and last-write time.
file() {
    mkdir -p "$(dirname "$c/$1")"
    truncate -s "$2" "$c/$1"
    touch -d "$3" "$c/$1"
}
file APP/SUB/FILE.DLL 12345 '1997-04-01 13:05:07'
file APP/SUB/ver1e3e.tmp 7 '2024-12-31 23:59:59'
file 'APP/ソフト表/表示ソ.DLL' 300 '2001-02-03 04:05:07'
file 'APP/ソフト表/ver2.tmp' 99 '1975-06-15 10:20:31'
file 'APP/100%s/FILE%d.DLL' 1 '2000-01-01 00:00:00'
file 'APP/100%s/ver3.tmp' 2 '2000-01-01 00:00:00'
file APP/BIG/BIG.DAT 5368709120 '2010-10-10 10:10:10'
file APP/BIG/big.tmp 3000000000 '2010-10-10 10:10:10'

dest='C:\APP\SUB\FILE.DLL'
gui_run host "$dir/existingfile.txt" 0 "$host" \
    overwrite ver1e3e.tmp "$dest" overwrite ver1e3e.tmp "$dest" overwrite ver1e3e.tmp "$dest" \
    overwrite ver1e3e.tmp "$dest" overwrite ver1e3e.tmp "$dest" overwrite ver1e3e.tmp "$dest" \
    overwrite ver2.tmp 'C:\APP\ソフト表\表示ソ.DLL' \
    overwrite '\ver3.tmp' 'C:\APP\100%s\FILE%d.DLL' \
    overwrite missing.tmp "$dest" \
    overwrite big.tmp 'C:\APP\BIG\BIG.DAT' \
    srcold ver1e3e.tmp "$dest" srcold ver1e3e.tmp "$dest" srcold ver1e3e.tmp "$dest" \
    srcold ver1e3e.tmp "$dest" srcold ver1e3e.tmp "$dest" srcold ver1e3e.tmp "$dest" || return 1
expect_output host "overwrite 1012
overwrite 1021
overwrite 1013
overwrite 1030
overwrite 1030
overwrite 1013
overwrite 1012
overwrite 1013
overwrite 1013
overwrite 1013
srcold 1013
srcold 1012
srcold 1021
srcold 1030
srcold 2
srcold 2" || return 1

gui_run worker "$dir/existingfile-worker.txt" 0 "$host" --worker \
    overwrite ver1e3e.tmp "$dest" srcold ver1e3e.tmp "$dest" || return 1
expect_output worker "overwrite 1030
srcold 1012"
