#!/bin/bash
# The layers of the Windows programs and what each may use. A source file of
# a layer may include headers of its own layer and of the layers named after
# it; its library may link only those layers' libraries. Bottom first:
#
#   platform   handle owners, the application-titled message box
#   paths      path variables and file-system helpers       (platform)
#   profile    the stores over INI text, INI files, registry (paths, platform)
#   framework  windows, dialogs, application, threads        (paths, platform)
#   wizard     the setup sheet and its pages, the directory browser
#              (engine, script, framework, profile, paths, platform; its templates in resources)
#
# and the uninstaller beside the installer: its library (uninstaller/) uses
# the stores and path helpers but no windows; its program
# (uninstaller/program/) adds the framework and its resources.
# Beside them, two parts that use nothing of the project at all: the
# launcher (its own small program, sharing no code with setup) and the SZDD
# compressor of the vendor tools.
#
# Usage: check-layers.sh SOURCE_DIR. Prints every breach; fails when there is one.
set -uo pipefail
src=$1
declare -A allowed=(
    [platform]="platform"
    [paths]="paths platform"
    [profile]="profile paths platform"
    [framework]="framework paths platform"
    [wizard]="wizard engine script framework profile paths platform resources"
    [launcher]="launcher"
    [compress]="compress"
    [uninstaller]="uninstaller services profile paths platform"
    [uninstaller/program]="uninstaller services framework profile paths platform resources"
)
# Libraries of the project that each layer's CMakeLists may link.
declare -A libs=(
    [platform]=""
    [paths]="paths_core platform"
    [profile]="profile_core paths platform"
    [framework]="platform paths_core"
    [wizard]="engine script framework profile profile_core paths paths_core platform"
    [launcher]=""
    [compress]=""
    [uninstaller]="uninstaller_core paths_core profile paths platform"
    [uninstaller/program]="uninstaller_ui uninstaller services framework platform"
)
project_libs="platform paths paths_core profile profile_core framework script services engine wizard setup_app
              setup_resources uninstaller uninstaller_core uninstaller_ui uninstaller_resources szdd"
bad=0
for layer in "${!allowed[@]}"; do
    while IFS= read -r line; do
        file=${line%%:*}
        inc=$(sed -n 's/.*#include *"\([^/"]*\)\/.*/\1/p' <<<"$line")
        [ -n "$inc" ] || continue
        [ -d "$src/$inc" ] || continue          # not a project folder
        if ! grep -qw -- "$inc" <<<"${allowed[$layer]}"; then
            echo "$file includes from $inc/, which $layer/ may not use: ${line#*:}"
            bad=1
        fi
    done < <(cd "$src" && grep -Hn '#include *"' "$layer"/*.h "$layer"/*.cpp 2>/dev/null)
    for lib in $(sed -n 's/.*target_link_libraries([^ ]* *\(PUBLIC\|PRIVATE\|INTERFACE\)\?\(.*\))/\2/p' "$src/$layer/CMakeLists.txt"); do
        grep -qw -- "$lib" <<<"$project_libs" || continue
        if ! grep -qw -- "$lib" <<<"${libs[$layer]}"; then
            echo "$layer/CMakeLists.txt links $lib, which $layer/ may not use"
            bad=1
        fi
    done
done
exit $bad
