#!/bin/bash
# makemedia on real folders, as a vendor's build runs it: a two-disk medium
# from a UTF-8 script with Japanese names (each file where the script says,
# the "_" files expanding with msexpand to the product's bytes, the script in
# code page 932 with CR LF), its FAT12 images as mtools reads them (the free
# space makemedia reports is the free space mdir sees), spanning and real
# sizes written into the script, and what it refuses: an output folder with
# something in it, a missing product file (nothing written), bad usage.
# Usage: makemedia_command.sh MAKEMEDIA WORK_DIR
set -u
makemedia=$1; work=$2
rm -rf "$work"; mkdir -p "$work"; cd "$work" || exit 1
failed=0
fail() { echo "FAILED: $*"; failed=1; }
export MTOOLS_SKIP_CHECK=1 LANG=C

# Stand-ins for the built programs: their bytes only go onto the medium.
mkdir programs
head -c 20000 /dev/urandom > programs/launcher.exe
seq 1 30000 > programs/setup.exe
seq 5 20000 > programs/VMUNST10.EXE
mkdir -p product/文書 product/DATA
seq 1 5000 > product/文書/説明.TXT
head -c 1000000 /dev/urandom > product/DATA/BIG.DAT
printf 'ok' > product/README.TXT
cat > setup.inf <<'INF'
[Config]
Product=製品
InstallDir=$ProgramFiles$\製品
GroupName=製品
Uninstall=TRUE,Seihin,アンインストール
[InstallFiles]
説明=1,\文書,説明.TX_,0,文書,説明.TXT,23893,1
README=1,,README.TXT,0,,README.TXT,2,1
BIG=2,\DATA,BIG.DA_,0,DATA,BIG.DAT,1000000,1
INF
sizes() { find "$1" -type f -printf '%P %s\n' | LC_ALL=C sort; }

# --- A two-disk medium.
out=$("$makemedia" --programs programs setup.inf product medium 2>&1); rc=$?
[ $rc = 0 ] || fail "two disks: rc $rc: $out"
got=$(cd medium && find . | LC_ALL=C sort)
want=$(printf '%s\n' . ./DISK1 ./DISK1/DISK1 ./DISK1/README.TXT ./DISK1/SETUP.EXE ./DISK1/SETUP.INF \
    ./DISK1/VMUNST10.EX_ ./DISK1/_SETUP.EX_ ./DISK1/文書 ./DISK1/文書/説明.TX_ ./DISK2 ./DISK2/DATA \
    ./DISK2/DATA/BIG.DA_ ./DISK2/DISK2 | LC_ALL=C sort)
[ "$got" = "$want" ] || fail "two disks: the files: $got"
for pair in "DISK1/文書/説明.TX_ product/文書/説明.TXT" "DISK2/DATA/BIG.DA_ product/DATA/BIG.DAT" \
            "DISK1/_SETUP.EX_ programs/setup.exe" "DISK1/VMUNST10.EX_ programs/VMUNST10.EXE"; do
    set -- $pair
    msexpand < "medium/$1" | cmp -s - "$2" || fail "two disks: $1 does not expand to $2"
done
cmp -s medium/DISK1/SETUP.EXE programs/launcher.exe || fail "two disks: the launcher"
cmp -s medium/DISK1/README.TXT product/README.TXT || fail "two disks: a plain file"
[ ! -s medium/DISK1/DISK1 ] && [ ! -s medium/DISK2/DISK2 ] || fail "two disks: the markers are not empty"
iconv -f utf-8 -t cp932 setup.inf | sed 's/$/\r/' | cmp -s - medium/DISK1/SETUP.INF ||
    fail "two disks: SETUP.INF is not the script in code page 932 with CR LF"
case "$out" in *"disk 1 programs together: "*) ;; *) fail "two disks: no footprint: $out";; esac

# --- Every output folder that holds something is refused and left alone.
before=$(sizes medium)
out=$("$makemedia" --programs programs setup.inf product medium 2>&1); rc=$?
[ $rc = 1 ] || fail "existing medium: rc $rc"
case "$out" in *"medium exists and is not empty"*) ;; *) fail "existing medium: $out";; esac
[ "$(sizes medium)" = "$before" ] || fail "existing medium: it changed"
mkdir other; echo keep > other/NOTES.TXT
out=$("$makemedia" --replace --programs programs setup.inf product other 2>&1); rc=$?
[ $rc = 1 ] && [ "$(cat other/NOTES.TXT)" = keep ] || fail "--replace on a folder that is no medium: rc $rc: $out"
mkdir empty
"$makemedia" --programs programs setup.inf product empty >/dev/null 2>&1 || fail "an empty folder is refused"
[ -f empty/DISK1/SETUP.INF ] || fail "an empty folder: no medium in it"
"$makemedia" --replace --programs programs setup.inf product medium >/dev/null 2>&1 || fail "--replace of a medium"
ls -d medium.* >/dev/null 2>&1 && fail "--replace left folders beside the medium: $(ls -d medium.*)"

# --- A missing product file: its line, nothing written.
sed 's/README.TXT,0/GONE.TXT,0/' setup.inf > missing.inf
out=$("$makemedia" --programs programs missing.inf product missing 2>&1); rc=$?
[ $rc = 1 ] || fail "a missing file: rc $rc"
case "$out" in *"missing.inf:8: error: no product file for GONE.TXT"*) ;; *) fail "a missing file: $out";; esac
ls -d missing missing.* >/dev/null 2>&1 && fail "a missing file: something was written"

# --- Floppy images: mtools sees the files and the free space makemedia reports.
out=$("$makemedia" --images --medium 1.2M --programs programs setup.inf product images 2>&1); rc=$?
[ $rc = 0 ] || fail "images: rc $rc: $out"
for n in 1 2; do
    listing=$(mdir -/ -b -i "images/DISK$n.IMG" :: 2>&1 | sed 's|^::/||' | LC_ALL=C sort)
    files=$(cd "images/DISK$n" && find . -mindepth 1 \( -type d -printf '%P/\n' \) -o -printf '%P\n' | LC_ALL=C sort)
    # mdir prints the Japanese names as "_" (its code page has no kanji);
    # the ASCII ones are compared.
    [ "$(grep -v '__' <<<"$listing")" = "$(grep -v '[^ -~]' <<<"$files")" ] ||
        fail "images: disk $n holds $listing"
    free=$(mdir -i "images/DISK$n.IMG" :: | sed -n 's/ *\([0-9 ]*\) bytes free/\1/p' | tr -d ' ')
    reported=$(sed -n "s/^disk $n: .* used, \([0-9]*\) free$/\1/p" <<<"$out")
    [ -n "$free" ] && [ "$free" = "$((reported * 512))" ] ||
        fail "images: disk $n: mdir has $free bytes free, makemedia said $reported clusters"
done
mcopy -n -i images/DISK2.IMG ::/DATA/BIG.DA_ big.da_ && cmp -s big.da_ images/DISK2/DATA/BIG.DA_ ||
    fail "images: BIG.DA_ read back from the image"

# --- Spanning with the real sizes: on 1.2 MB floppies the big file goes to
#     disk 2, and the script on disk 1 says so.
sed -e 's/23893/1/' -e 's/=2,/=1,/' setup.inf > span.inf
out=$("$makemedia" --span --fix-sizes --medium 1.2M --programs programs span.inf product span 2>&1); rc=$?
[ $rc = 0 ] || fail "spanning: rc $rc: $out"
script=$(iconv -f cp932 -t utf-8 span/DISK1/SETUP.INF | tr -d '\r')
grep -qx '説明=1,\\文書,説明.TX_,0,文書,説明.TXT,23893,1' <<<"$script" || fail "spanning: the real size: $script"
grep -qx 'BIG=2,\\DATA,BIG.DA_,0,DATA,BIG.DAT,1000000,1' <<<"$script" || fail "spanning: disk 2: $script"
[ -f span/DISK2/DATA/BIG.DA_ ] || fail "spanning: BIG.DA_ is not on disk 2"

# --- Overflow: the file that does not fit is named on its line.
sed 's/=2,/=1,/' setup.inf > over.inf
out=$("$makemedia" --medium 1.2M --programs programs over.inf product over 2>&1); rc=$?
[ $rc = 1 ] || fail "overflow: rc $rc"
case "$out" in *"disk 1 does not fit on a 1.2 MB floppy"*"over.inf:9: error: DATA\\BIG.DA_ ("*" clusters) does not fit on disk 1"*) ;;
    *) fail "overflow: $out";; esac
ls -d over over.* >/dev/null 2>&1 && fail "overflow: something was written"

# --- Usage and unreadable input.
"$makemedia" --help | grep -q '^usage: makemedia' || fail "--help"
for args in "setup.inf product" "--medium 3M setup.inf product x" "--bogus setup.inf product x"; do
    "$makemedia" --programs programs $args >/dev/null 2>&1; rc=$?
    [ $rc = 2 ] || fail "usage '$args': rc $rc"
done
"$makemedia" --programs programs nothere.inf product x >/dev/null 2>&1; rc=$?
[ $rc = 2 ] || fail "an unreadable script: rc $rc"
"$makemedia" --programs nothere setup.inf product x >/dev/null 2>&1; rc=$?
[ $rc = 2 ] || fail "programs missing: rc $rc"
exit $failed
