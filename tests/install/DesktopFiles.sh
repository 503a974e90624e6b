#!/bin/sh
# The desktop entries, the metainfo and the file types as the desktop's own
# validators read them. Exit 77 (skipped) where a validator is missing;
# scripts/install-deps installs them.
#   DesktopFiles.sh SOURCE_DATA_DIR METAINFO WORK_DIR
set -u
data=$1 metainfo=$2 work=$3
for tool in desktop-file-validate appstreamcli update-mime-database xmllint; do
    command -v $tool >/dev/null || { echo "$tool missing"; exit 77; }
done
status=0
desktop-file-validate "$data/tallyra.desktop" "$data/sumora.desktop" || status=1
grep -q '^Categories=Office;Finance;$' "$data/tallyra.desktop" "$data/sumora.desktop" || status=1
appstreamcli validate --no-net "$metainfo" || status=1
xmllint --noout "$data/icons/tallyra.svg" "$data/icons/sumora.svg" || status=1

# The file types, installed into a private database, type the suite's files
# by name and, for a filter, by its first bytes under any name.
rm -rf "$work" && mkdir -p "$work/mime/packages"
cp "$data/mime/tallyra.xml" "$work/mime/packages/" || exit 1
update-mime-database "$work/mime" || status=1
grep -q '^application/x-tallyra-backup:\*\.tyb$' "$work/mime/globs" || { echo "no .tyb glob"; status=1; }
grep -q '^application/x-tallyra-filter:\*\.tyf$' "$work/mime/globs" || { echo "no .tyf glob"; status=1; }
grep -q 'application/x-tallyra-filter' "$work/mime/magic" || { echo "no filter magic"; status=1; }
# The entries name only types that exist: ours, or QIF's own.
for type in $(sed -n 's/^MimeType=//p' "$data/tallyra.desktop" "$data/sumora.desktop" | tr ';' ' '); do
    grep -q "type=\"$type\"" "$data/mime/tallyra.xml" /usr/share/mime/packages/freedesktop.org.xml ||
        { echo "unknown type $type"; status=1; }
done
exit $status
