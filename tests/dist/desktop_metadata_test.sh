#!/usr/bin/env bash
# The desktop entry and the AppStream metadata pass the checks that software
# centres and distributions run on them.
#   desktop_metadata_test.sh DESKTOP_FILE METAINFO_FILE
set -uo pipefail
desktop=$1 metainfo=$2
for tool in desktop-file-validate appstreamcli; do
    if ! command -v $tool >/dev/null; then
        echo "SKIP: $tool is not installed (apt-get install desktop-file-utils appstream)"
        exit 77
    fi
done
failed=0
# desktop-file-validate exits 0 on hints and warnings: any message fails.
report=$(desktop-file-validate "$desktop" 2>&1)
if [[ $? -ne 0 || -n $report ]]; then
    echo "FAIL: desktop-file-validate $desktop:"
    echo "$report"
    failed=1
fi
grep -qx 'MimeType=inode/directory;' "$desktop" || { echo "FAIL: the entry does not open folders"; failed=1; }
grep -qE '^Exec=tamarel %[fFuU]$' "$desktop" || { echo "FAIL: Exec does not pass the folder"; failed=1; }
if ! appstreamcli validate --no-net --explain "$metainfo"; then
    echo "FAIL: appstreamcli validate $metainfo"
    failed=1
fi
exit $failed
