# Installs the sample product from its medium as a user would: the medium's
# disks in drive A: (RUN_MEDIUM: the folder makemedia wrote, DISK1, DISK2),
# the launcher A:\SETUP.EXE started. Sourced by tools/run-setup inside the
# test harness (with the GUI driver's helpers) and by the e2e_sample test.
#   With WINE_TEST_DISPLAY set, the user clicks through on that display; the
#   terminal is the floppy drive: typing a disk's number puts it in A:.
#   Otherwise the GUI driver clicks through the wizard and swaps the disks,
#   with a screenshot of every step in $SHOTS and a summary of what was
#   installed in $SHOTS/summary.txt.
insert_disk() { ln -sfn "$RUN_MEDIUM/DISK$1" "$WINEPREFIX/dosdevices/a:"; }
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
    {
        echo "== installed files (C:\\Program Files\\サンプル製品)"
        (cd "$installed" 2>/dev/null && find . -type f -printf '%P %s\n' | LC_ALL=C sort)
        echo "== uninstall log (UNINSTAL.INF)"
        iconv -f CP932 -t UTF-8 "$installed/UNINSTAL.INF" 2>/dev/null | tr -d '\r'
    } > "$SHOTS/summary.txt"
    echo "screenshots and summary: $SHOTS"
    [ $sample_failed = 0 ]
fi
