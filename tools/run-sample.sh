# Installs the sample product from its medium as a user would: the medium's
# disks in drive A: (RUN_MEDIUM: the folder makemedia wrote, DISK1, DISK2),
# the launcher A:\SETUP.EXE started. Sourced by tools/run-setup inside the
# test harness (with the GUI driver's helpers) and by the e2e_sample test.
#   With WINE_TEST_DISPLAY set, the user clicks through on that display; the
#   terminal is the floppy drive: typing a disk's number puts it in A:.
#   Otherwise the GUI driver clicks through the wizard and swaps the disks,
#   then removes the product through Wine's control-panel uninstaller, with
#   a screenshot of every step in $SHOTS and a summary of what was there
#   after the installation and after the removal in $SHOTS/summary.txt.
insert_disk() { ln -sfn "$RUN_MEDIUM/DISK$1" "$WINEPREFIX/dosdevices/a:"; }
# The per-user programs folder of a Japanese Windows NT 4.0 (which Wine
# reports here): that system has it for a user who has logged on, Wine has
# not, and setup makes the program group in it (docs/wine-system-update.md).
mkdir -p "$WINEPREFIX/drive_c/windows/Profiles/$USER/ｽﾀｰﾄ ﾒﾆｭｰ/ﾌﾟﾛｸﾞﾗﾑ"
insert_disk 1
PROGRAM_TIMEOUT=${PROGRAM_TIMEOUT:-3600}
start_program sample 'A:\SETUP.EXE'
if [ -n "${WINE_TEST_DISPLAY:-}" ]; then
    echo "setup is running on $DISPLAY. Disk 1 is in drive A:; when setup asks"
    echo "for another disk, type its number here and press Enter."
    while kill -0 "${gui_pid[sample]}" 2>/dev/null; do
        if read -r -t 1 n && [ -d "$RUN_MEDIUM/DISK$n" ]; then
            insert_disk "$n"
            echo "disk $n is in drive A:"
        fi
    done
    wait_program sample
else
    sample_failed=0
    run_scenario "$SAMPLE_SCENARIOS/sample-install-1.txt" --program SETUP.EXE || sample_failed=1
    insert_disk 2
    [ $sample_failed = 0 ] && { run_scenario "$SAMPLE_SCENARIOS/sample-install-2.txt" --program SETUP.EXE || sample_failed=1; }
    insert_disk 1
    [ $sample_failed = 0 ] && { run_scenario "$SAMPLE_SCENARIOS/sample-install-3.txt" --program SETUP.EXE || sample_failed=1; }
    [ $sample_failed = 0 ] || stop_program sample
    # The launcher's exit code is always 1 (it does not pass the installer's on).
    wait_program sample 1 || sample_failed=1
    installed="$WINEPREFIX/drive_c/Program Files/サンプル製品"
    sample_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\SampleProduct'
    what_is_there() {
        echo "== files in C:\\Program Files\\サンプル製品"
        (cd "$installed" 2>/dev/null && find . -type f -printf '%P %s\n' | LC_ALL=C sort)
        echo "== shortcuts of the program group サンプル製品"
        (cd "$WINEPREFIX/drive_c/windows" && find Profiles -path '*/サンプル製品/*' -type f 2>/dev/null | LC_ALL=C sort)
        echo "== uninstall key $sample_key"
        wine_cmd reg query "$sample_key" 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r' | grep REG_
    }
    {
        echo "##### after the installation"
        what_is_there
        echo "== uninstall log (UNINSTAL.INF)"
        iconv -f CP932 -t UTF-8 "$installed/UNINSTAL.INF" 2>/dev/null | tr -d '\r'
    } > "$SHOTS/summary.txt"
    # Saved for the e2e test, which checks the installation before the removal.
    [ -n "${SAMPLE_KEEP_INSTALL:-}" ] && cp -r "$installed" "$SAMPLE_KEEP_INSTALL"
    if [ $sample_failed = 0 ] && [ -z "${SAMPLE_NO_UNINSTALL:-}" ]; then
        start_program wine-uninstaller uninstaller --remove SampleProduct
        run_scenario "$SAMPLE_SCENARIOS/sample-uninstall.txt" --program VMUNST10.EXE || sample_failed=1
        [ $sample_failed = 0 ] || stop_program wine-uninstaller
        wait_program wine-uninstaller 0 || sample_failed=1
        { echo; echo "##### after the removal through the control panel's uninstaller"; what_is_there; } >> "$SHOTS/summary.txt"
    fi
    echo "screenshots and summary: $SHOTS"
    [ $sample_failed = 0 ]
fi
