#!/usr/bin/env bash
# Runs the generated bash completion the way bash does on TAB: COMP_WORDS
# holds the command line split as readline splits it, COMP_CWORD the word
# under the cursor; the function leaves its candidates in COMPREPLY.
#   bash_completion_test.sh COMPLETION_FILE
set -uo pipefail
completion=$1
source "$completion" || exit 1

failures=0
# complete WORD... : the candidates for the last word, sorted, one line.
complete_words()
{
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _tamarel_list
    printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd' '
}
expect()
{
    local want=$1
    shift
    local got
    got=$(complete_words "$@")
    if [[ $got != "$want" ]]; then
        echo "FAIL: '$*<TAB>' offered [$got], expected [$want]"
        failures=$((failures + 1))
    fi
}

expect '--format' tamarel-list --fo
expect 'csv html json paths' tamarel-list -f ''
expect 'csv html json paths' tamarel-list --format ''
expect 'html' tamarel-list -r --format h
expect 'csv html json paths' tamarel-list --format = ''
expect 'utf16 utf8' tamarel-list --encoding = utf
expect 'iso locale utc' tamarel-list --time-style ''
expect '--no-dirs --no-files --no-grid' tamarel-list --no-

# Values that are free text get nothing, not file names.
expect '' tamarel-list -m ''

# Operands are folders: files are not offered, names with blanks stay whole.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/my docs" "$work/music"
touch "$work/mixtape.txt"
cd "$work" || exit 1
expect 'music my docs' tamarel-list -r m
expect 'mixtape.txt music my docs' tamarel-list -o m
# After -- every word is a folder, even one that looks like an option.
mkdir -- "$work/-odd"
expect '-odd' tamarel-list -- -o

if ((failures)); then
    echo "$failures completion case(s) failed"
    exit 1
fi
echo "bash completion: all cases passed"
