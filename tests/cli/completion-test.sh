#!/usr/bin/env bash
# Sources the bash completion of morvik-cli and calls it as bash does, with COMP_WORDS and
# COMP_CWORD set, on a folder holding group files and other files.
# usage: completion-test.sh MORVIK-CLI COMPLETION
set -uo pipefail
cli=$(cd "$(dirname "$1")" && pwd)
completion=$2
export PATH="$cli:$PATH"
# shellcheck source=/dev/null
source "$completion"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
mkdir files sub
for name in E1L1.MAP E1L2.MAP GAME.CON 'A B.MAP' 'x$y.art'; do
    printf '%s' "$name" >"files/$name"
done
(cd files && morvik-cli create ../GAME.GRP E1L1.MAP E1L2.MAP GAME.CON 'A B.MAP' 'x$y.art') || exit 1
cp GAME.GRP mod.grp
touch notes.txt

failures=0
# expect "WORDS OF THE LINE" "EXPECTED REPLIES": the last word is the one being completed; the
# replies are compared sorted, one a line; "_" in them stands for a space.
expect() {
    read -r -a COMP_WORDS <<<"$1"
    [[ $1 == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _morvik_cli 2>"$work/stderr"
    local got want
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort)
    want=$(tr ' ' '\n' <<<"$2" | sed 's/_/ /g' | sort)
    [[ -z $2 ]] && want=""
    [[ ${#COMPREPLY[@]} -eq 0 ]] && got=""
    if [[ $got != "$want" || -s $work/stderr ]]; then
        echo "FAIL: '$1'"
        echo "  expected: $(tr '\n' ' ' <<<"$want")"
        echo "  got:      $(tr '\n' ' ' <<<"$got")"
        cat "$work/stderr"
        failures=$((failures + 1))
    fi
}

# The command, and the options that do not need one.
expect "morvik-cli " "list extract create add delete rename cat check grpinfo identify"
expect "morvik-cli ex" "extract"
expect "morvik-cli --v" "--version"
# Each command's own options.
expect "morvik-cli list --" "--names --help"
expect "morvik-cli create -" "-f --force --from -d --directory --help"
expect "morvik-cli grpinfo GAME.GRP --" "--name --flags --dependency --help"
# The group file: folders and .grp files in any case, nothing else.
expect "morvik-cli list " "GAME.GRP mod.grp files sub"
expect "morvik-cli check m" "mod.grp"
# The entries of the group file on the line, after options and their values, names quoted.
expect "morvik-cli extract GAME.GRP E" "E1L1.MAP E1L2.MAP"
expect "morvik-cli list --names GAME.GRP " "A\\_B.MAP E1L1.MAP E1L2.MAP GAME.CON x\\\$y.art"
expect "morvik-cli extract -d sub GAME.GRP G" "GAME.CON"
expect "morvik-cli delete mod.grp A" "A\\_B.MAP"
expect "morvik-cli delete mod.grp x" "x\\\$y.art"
expect "morvik-cli rename GAME.GRP G" "GAME.CON"
expect "morvik-cli cat GAME.GRP G" "GAME.CON"
# A pattern comes back quoted, so that the shell does not match files with it.
expect "morvik-cli delete GAME.GRP *.M" "'*.M'"
expect "morvik-cli extract GAME.GRP E?L1.*" "'E?L1.*'"
# Where no entry belongs: the new name of rename, an option's value, a group file not there.
expect "morvik-cli rename GAME.GRP E1L1.MAP " ""
expect "morvik-cli grpinfo GAME.GRP --name " ""
expect "morvik-cli extract NONE.GRP " ""
# Folders and files for the options and commands that take them.
expect "morvik-cli extract GAME.GRP -d " "files sub"
expect "morvik-cli create NEW.GRP --from n" "notes.txt"
expect "morvik-cli add GAME.GRP n" "notes.txt"
expect "morvik-cli identify GAME.GRP s" "sub"

if ((failures > 0)); then
    echo "completion-test: $failures failed"
    exit 1
fi
echo "completion-test: all passed"
