# Bash completion for quirnel-cli. The options, the words each one takes and
# the values of --format, --columns and --folders are read from the program's
# --help, so an option added there completes without a change here.

# Fills the caller's `specs`: option -> its argument words as the help shows
# them ("FILE", "tsv|json", "CMD SUB ARG1 ARG2", or empty).
_quirnel_cli_read_help() {
    local line re='^  (--[a-z][a-z0-9-]*)(( [^ ]+)*)( {2,}|$)'
    while IFS= read -r line; do
        [[ $line =~ $re ]] && specs[${BASH_REMATCH[1]}]=${BASH_REMATCH[2]# }
    done < <(LC_ALL=C "$1" --help 2>/dev/null)
}

_quirnel_cli() {
    local cur prev words cword
    _init_completion -n = || return

    local prog=${words[0]}
    [[ $prog == \~/* ]] && prog=$HOME/${prog#\~/}
    local -A specs=()
    _quirnel_cli_read_help "$prog"

    # Walk the words before the cursor to learn whether it is inside the
    # arguments of an option (--task takes four).
    local i owner='' left=0 word
    local -a args
    for ((i = 1; i < cword; i++)); do
        word=${words[i]}
        if ((left > 0)); then
            ((left--))
        elif [[ -n $word && ${specs[$word]+set} ]]; then
            read -ra args <<<"${specs[$word]}"
            owner=$word left=${#args[@]}
        fi
    done

    if ((left > 0)); then
        read -ra args <<<"${specs[$owner]}"
        local want=${args[${#args[@]} - left]}
        case $want in
            *FILE*) _filedir ;;
            *'|'*) mapfile -t COMPREPLY < <(compgen -W "${want//|/ }" -- "$cur") ;;
            # numbers, settings and task fields: nothing worth guessing
        esac
    elif [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "${!specs[*]}" -- "$cur")
    else
        _filedir
    fi
}
complete -F _quirnel_cli quirnel-cli
