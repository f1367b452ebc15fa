# Test script of every GUI test (add_gui_test): sourced by wine-test.sh with
# the GUI driver's path, the test's own script and that script's arguments.
# It makes the scenario helpers available, then runs the test's script.
GUIDRIVER=$1
gui_script=$2
shift 2
. "$(dirname "${BASH_SOURCE[0]}")/scenario.sh"
. "$gui_script" "$@"
