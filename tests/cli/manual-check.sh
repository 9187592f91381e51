#!/usr/bin/env bash
# Checks the manual page against "morvik-cli --help": the same command lines, the same options
# with the same descriptions, and the same exit statuses. Prints the difference and fails when
# they have drifted apart.
# usage: manual-check.sh MORVIK-CLI MANUAL-PAGE
set -euo pipefail
cli=$1
page=$2

# The help's records: the command lines under "Commands:", then "option<TAB>description" and
# "status<TAB>meaning" with their wrapped lines joined.
from_help() {
    "$cli" --help | awk '
        /^Commands:/ { part = "commands"; next }
        /^Entry names:/ { part = ""; next }
        /^Options:/ { part = "options"; next }
        /^Exit status:/ { part = "status"; next }
        /^$/ { if (part == "status") { part = "" } }
        function flush() { if (record != "") { print record }; record = "" }
        part == "commands" && /^  [a-z]+ [-[A-Z]/ { print "command " substr($0, 3) }
        part == "options" && /^  +-/ {
            flush()
            line = $0; sub(/^ +/, "", line)
            head = line; sub(/  .*/, "", head)
            text = substr(line, length(head) + 1); sub(/^ +/, "", text)
            record = "option " head "\t" text; next
        }
        part == "status" && /^  [0-9]  / {
            flush()
            record = "status " substr($0, 3, 1) "\t" substr($0, 6); next
        }
        (part == "options" || part == "status") && /^   / {
            line = $0; sub(/^ +/, "", line); record = record " " line; next
        }
        { flush() }
        END { flush() }'
}

# The same records from the page: its synopsis, and the tags and paragraphs of its OPTIONS and
# EXIT STATUS, with the fonts and escapes taken out.
from_page() {
    sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g' -e 's/\\e/\\/g' -e "s/\\\\(aq/'/g" "$page" | awk '
        /^\.SH / { part = $2; next }
        function flush() { if (record != "") { print record }; record = ""; tag = 0 }
        part == "SYNOPSIS" && /^morvik-cli / { print "command " substr($0, 12) }
        (part == "OPTIONS" || part == "EXIT") && /^\.TP/ { flush(); tag = 1; next }
        (part == "OPTIONS" || part == "EXIT") && /^\.(PP|SH)/ { flush(); next }
        tag == 1 {
            line = $0; sub(/^\.B /, "", line)
            record = (part == "OPTIONS" ? "option " : "status ") line "\t"; tag = 2; next
        }
        tag == 2 { record = record (record ~ /\t$/ ? "" : " ") $0; next }
        END { flush() }'
}

help=$(from_help)
page=$(from_page)
for kind in command option status; do
    grep -q "^$kind " <<<"$help" || { echo "manual-check: no ${kind}s found in the help" >&2; exit 1; }
done
if [ "$help" != "$page" ]; then
    echo "manual-check: the manual page and --help differ (< help, > manual page):" >&2
    diff <(echo "$help") <(echo "$page") >&2 || true
    exit 1
fi
echo "manual-check: $(wc -l <<<"$help") command lines, options and exit statuses agree"
