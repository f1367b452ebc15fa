# The launcher's runs that reach the installer: which files it stages, what
# it hands over, how it starts the installer, and that the staging directory
# goes once the installer has ended.
# Arguments: launcher.exe, the stand-in installer, this directory.
. "$3/launcher-common.sh"
standin_size=$(stat -c %s "$STANDIN")

# expect_started CASE SRCDIR: the stand-in ran from the staging directory,
# started as the launcher starts the installer, with SRCDIR handed over.
expect_started() {
    expect_record "$1" cwd.txt 'C:\_SETUP_.DIR'
    expect_record "$1" cmdline.txt 'C:\_SETUP_.DIR\_SETUP.EXE'
    expect_record "$1" startup.txt 'flags=0x41 show=1'
    expect_record "$1" srcdir.txt "$2"
    local n; n=$(record "$1" SETUP.INF | grep -c '^SrcDir=')
    [ "$n" = 1 ] && ok "$1: the script holds one SrcDir" || fail "$1: the script holds $n SrcDir lines"
}

# packed_script CASE FILE: FILE is a compressed script for the case CASE.
packed_script() {
    printf '[Config]\nProduct=圧縮したスクリプト\n[Standin]\nRecord=C:\\rec\\%s\n' "$1" | write_script "$T/packed.inf"
    compress_to "$T/packed.inf" "$2"
}

# expect_product CASE PRODUCT WHAT: the staged script names PRODUCT.
expect_product() {
    record "$1" SETUP.INF | grep -q "^Product=$2" && ok "$1: $3" ||
        fail "$1: not $3: $(record "$1" SETUP.INF | tr '\r\n' '  ')"
}

# --- A medium in a subdirectory with both forms of each file: the compressed
# installer and the plain script are staged; "SrcDir" replaces the script's own.
map_drive D
medium=$(unix_dir 'D:\DISK1')
mkdir -p "$medium"
cp "$LAUNCHER" "$medium/SETUP.EXE"
compress_to "$STANDIN" "$medium/_SETUP.EX_"
make_plain_installer "$medium/_SETUP.EXE"
write_script "$medium/SETUP.INF" <<'INF'
[Config]
Product=平文のスクリプト
SrcDir=X:\OLD
[Standin]
Record=C:\rec\both
Exit=7
INF
packed_script both "$medium/SETUP.IN_"
launch both 'D:\DISK1\SETUP.EXE'
expect_started both 'D:\DISK1'
expect_record both size.txt "$standin_size"
expect_product both 平文のスクリプト "the plain script was staged"
expect_no_staging both

# --- A medium at the root of a drive, with only the plain installer (and a
# directory of the compressed one's name, which is no file) and only the
# compressed script; the launcher is named 表.EXE, whose second byte is a
# backslash (0x95 0x5C): "SrcDir" is the bare drive.
map_drive A
medium=$(unix_dir 'A:\')
cp "$LAUNCHER" "$medium/表.EXE"
make_plain_installer "$medium/_SETUP.EXE"
mkdir "$medium/_SETUP.EX_"
packed_script root "$medium/SETUP.IN_"
launch root 'A:\表.EXE'
expect_started root 'A:'
expect_record root size.txt "$(stat -c %s "$medium/_SETUP.EXE")"
expect_product root 圧縮したスクリプト "the compressed script was expanded"
expect_no_staging root

# --- A staging directory left over from an earlier run is used again; while
# the installer runs, the launcher waits; once it has ended, the staging
# directory goes with all the installer left there and all that was there before.
mkdir -p "$STAGING/OLD"
printf 'old installer' > "$STAGING/_SETUP.EXE"
printf '[Config]\r\nProduct=old\r\n' > "$STAGING/SETUP.INF"
printf 'x' > "$STAGING/OLD/X.TMP"
medium=$WINEPREFIX/drive_c/cd
mkdir -p "$medium"
cp "$LAUNCHER" "$medium/SETUP.EXE"
compress_to "$STANDIN" "$medium/_SETUP.EX_"
write_script "$medium/SETUP.INF" <<'INF'
[Standin]
Record=C:\rec\reuse
Wait=1
INF
start_program reuse 'C:\cd\SETUP.EXE'
for i in $(seq 1 600); do [ -e "$REC/reuse/running" ] && break; sleep 0.1; done
if [ -e "$REC/reuse/running" ]; then
    sleep 1
    want='INSTALL.LOG OLD OLD/X.TMP SETUP.INF SUB SUB/A.TMP SUB/DEEP SUB/DEEP/B.TMP _SETUP.EXE '
    got=$(tree_of "$STAGING" | tr '\n' ' ')
    [ "$got" = "$want" ] && ok "reuse: while the installer runs, the staging directory holds $got" ||
        fail "reuse: while the installer runs, the staging directory holds '$got', expected '$want'"
    expect_record reuse size.txt "$standin_size"
    kill -0 "${gui_pid[reuse]}" 2>/dev/null && ok "reuse: the launcher waits for the installer" ||
        fail "reuse: the launcher ended while the installer runs"
else
    fail "reuse: the installer did not start"
fi
touch "$REC/reuse/go"
wait_program reuse 1 && ok "reuse: the launcher ended with exit code 1" || failed=1
expect_started reuse 'C:\cd'
expect_no_staging reuse

# --- An installer that cannot be started: no message, the staging directory
# goes at once; a name beginning with a dot stays, and with it the directory.
mkdir -p "$STAGING"
printf 'kept' > "$STAGING/.keep"
medium=$WINEPREFIX/drive_c/nostart
mkdir -p "$medium"
cp "$LAUNCHER" "$medium/SETUP.EXE"
printf 'not a program' > "$medium/_SETUP.EXE"
printf '[Config]\r\n' > "$medium/SETUP.INF"
launch nostart 'C:\nostart\SETUP.EXE'
got=$(tree_of "$STAGING" | tr '\n' ' ')
[ "$got" = '.keep ' ] && ok "nostart: only .keep is left in the staging directory" ||
    fail "nostart: the staging directory holds '$got', expected '.keep '"
rm -rf "$STAGING"

# --- A medium deep in a network share: its path is longer than OpenFile and
# VerInstallFileA can take (127 bytes), and longer than 260 bytes in
# Shift-JIS (though shorter than 260 characters).
deep='C:\net'
for i in $(seq 1 12); do deep+='\セットアップ用ディスク'; done
deep+='\DISK1'
medium=$(unix_dir "$deep")
mkdir -p "$medium"
bytes=$(printf '%s' "$deep" | iconv -f UTF-8 -t CP932 | wc -c)
[ "$bytes" -gt 260 ] || fail "deep: the medium's path is only $bytes bytes"
cp "$LAUNCHER" "$medium/SETUP.EXE"
compress_to "$STANDIN" "$medium/_SETUP.EX_"
packed_script deep "$medium/SETUP.IN_"
launch deep "$deep\\SETUP.EXE"
expect_started deep "$deep"
expect_record deep size.txt "$standin_size"
expect_no_staging deep

return $failed
