#!/bin/bash
# checkinf as a build pipeline uses it: a clean script prints nothing and
# exits 0; warnings print file:line and exit 0, or 1 with --werror; errors
# exit 1; an unreadable script or a bad option exits 2; messages follow the
# locale (English, Japanese) and reach a UTF-8 terminal as UTF-8; --medium
# checks a medium directory with Japanese file names.
# Usage: checkinf_command.sh CHECKINF WORK_DIR
set -u
checkinf=$1; work=$2
rm -rf "$work"; mkdir -p "$work"; cd "$work" || exit 1
fail() { echo "FAILED: $*"; exit 1; }
# Scripts written in UTF-8 here; the checker takes UTF-8 and code page 932 alike.
cat > clean.inf <<'INF'
[Config]
Product=製品
InstallDir=$ProgramFiles$\製品
GroupName=製品
Uninstall=TRUE,Seihin,アンインストール
[InstallFiles]
説明=1,\文書,説明.TX_,0,,説明.TXT,5,1
INF
printf '[Config]\r\nProduct=P\r\nInstallDir=C:\\P\r\nUninstall=TRUE,P\r\nShowChooseDirPage=True\r\n' > warn.inf
printf '[Config]\r\nProduct=P\r\nInstallDir=C:\\P\r\nUninstall=TRUE,P\r\n[Typical::InstallFiles]\r\nA=1,,A,,,A,1\r\n' > error.inf
iconv -f utf-8 -t cp932 clean.inf > clean932.inf

out=$(LANG=C "$checkinf" clean.inf clean932.inf); rc=$?
[ $rc = 0 ] && [ -z "$out" ] || fail "clean scripts: rc $rc, output: $out"

out=$(LANG=C "$checkinf" warn.inf); rc=$?
[ $rc = 0 ] || fail "warnings alone: rc $rc"
[ "$out" = "warn.inf:5: warning: ShowChooseDirPage 'True' is read as false: only TRUE, in capitals, is true" ] \
    || fail "warning text: $out"
LANG=C "$checkinf" --werror warn.inf >/dev/null; rc=$?
[ $rc = 1 ] || fail "--werror: rc $rc"

out=$(LANG=C "$checkinf" error.inf); rc=$?
[ $rc = 1 ] || fail "errors: rc $rc"
case "$out" in "error.inf:5: error: section [Typical::InstallFiles] is never read"*) ;; *) fail "error text: $out";; esac

out=$(LANG=ja_JP.UTF-8 "$checkinf" warn.inf)
[ "$out" = "warn.inf:5: warning: ShowChooseDirPage の 'True' は偽として読まれます。真になるのは大文字の TRUE だけです" ] \
    || fail "Japanese text: $out"
out=$(LANG=C "$checkinf" --lang ja warn.inf)
case "$out" in *"偽として読まれます"*) ;; *) fail "--lang ja: $out";; esac

LANG=C "$checkinf" missing.inf 2>/dev/null; rc=$?
[ $rc = 2 ] || fail "missing script: rc $rc"
LANG=C "$checkinf" --bogus clean.inf 2>/dev/null; rc=$?
[ $rc = 2 ] || fail "unknown option: rc $rc"
LANG=C "$checkinf" --help | grep -q -- '--medium DIR' || fail "--help"

# A medium of one disk with a Japanese directory and file name; the size
# comes from the SZDD header.
mkdir -p medium/DISK1/文書
: > medium/DISK1/DISK1; : > medium/DISK1/_SETUP.EX_; : > medium/DISK1/VMUNST10.EX_
printf 'SZDD\x88\xf0\x27\x33A\x54\x05\x00\x00\x00' > medium/DISK1/文書/説明.TX_
out=$(LANG=C "$checkinf" --medium medium clean.inf); rc=$?
[ $rc = 0 ] && [ -z "$out" ] || fail "medium: rc $rc, output: $out"
printf 'SZDD\x88\xf0\x27\x33A\x54\x06\x00\x00\x00' > medium/DISK1/文書/説明.TX_
out=$(LANG=C "$checkinf" --medium medium clean.inf); rc=$?
[ "$out" = "clean.inf:7: warning: the declared size 5 differs from the installed file's size 6 (the disk check and the progress bar use the declared size)" ] \
    || fail "medium size: $out"
rm medium/DISK1/文書/説明.TX_
out=$(LANG=C "$checkinf" --medium medium clean.inf); rc=$?
[ $rc = 1 ] || fail "medium missing file: rc $rc ($out)"
echo "checkinf command line: all cases passed"
