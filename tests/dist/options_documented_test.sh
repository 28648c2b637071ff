#!/usr/bin/env bash
# Every option that tamarel-list --help shows is in the manual page and in
# the three completion scripts, and the page shows no option that --help
# does not: the page and the scripts are written from a table of their own.
#   options_documented_test.sh TAMAREL_LIST MAN_PAGE BASH ZSH FISH
set -uo pipefail
bin=$1 man=$2 bash_file=$3 zsh_file=$4 fish_file=$5

help=$("$bin" --help) || { echo "FAIL: $bin --help exited with $?"; exit 1; }
mapfile -t options < <(grep -oE -- '(^|[ ,])--?[A-Za-z][A-Za-z0-9-]*' <<<"$help" | tr -d ' ,' | sort -u)
if ((${#options[@]} < 10)); then
    echo "FAIL: found only ${#options[@]} options in --help: ${options[*]}"
    exit 1
fi

failures=0
missing()
{
    echo "FAIL: $1 is not in $2"
    failures=$((failures + 1))
}
for option in "${options[@]}"; do
    name=${option#-}
    name=${name#-}
    if [[ $option == --* ]]; then
        grep -qE -- "Fl -$name( |\$)" "$man" || missing "$option" "$man"
        grep -qE -- "[ '|]$option[ '|)]" "$bash_file" || missing "$option" "$bash_file"
        grep -qE -- "[{,'*]$option[=}'[]" "$zsh_file" || missing "$option" "$zsh_file"
        grep -qE -- " -l $name( |\$)" "$fish_file" || missing "$option" "$fish_file"
    else
        grep -qE -- "Fl $name( |\$)" "$man" || missing "$option" "$man"
        grep -qE -- "[ '|]$option[ '|)]" "$bash_file" || missing "$option" "$bash_file"
        grep -qE -- "[{(]$option[+, ]" "$zsh_file" || missing "$option" "$zsh_file"
        grep -qE -- " -s $name( |\$)" "$fish_file" || missing "$option" "$fish_file"
    fi
done

# The other way round: an option the program no longer has must leave the page.
# (A lookup table rather than a pipe into grep -q: under pipefail, grep
# leaving early would fail the writer of the pipe now and then.)
declare -A shown=()
for option in "${options[@]}"; do
    shown[$option]=1
done
while read -r documented; do
    [[ -n ${shown[$documented]:-} ]] ||
        { echo "FAIL: the page documents $documented, which --help does not show"; failures=$((failures + 1)); }
done < <(grep -oE -- 'Fl -?[A-Za-z][A-Za-z0-9-]*' "$man" | sed 's/^Fl /-/')

if ((failures)); then
    exit 1
fi
echo "all ${#options[@]} options of --help are documented"
