# bash completion for stria93: commands, each command's options, their values, and file names
# after -o and for verify's pictures. The commands, options and values are read from stria93's
# own help, so that the completion offers what the installed program takes.

_stria93_stocks() {
    # The stock names are the first column of the list, below its heading.
    local program=$1 name rest
    "$program" sheet --list 2>/dev/null | {
        read -r _
        while read -r name rest; do
            printf '%s\n' "$name"
        done
    }
}

# The commands: the lines of "stria93 --help" that start with two blanks and a name.
_stria93_commands() {
    "$1" --help 2>/dev/null | sed -nE 's/^  ([a-z][a-z-]*)( .*)?$/\1/p' | sort -u
}

# A command's options, one a line with its value's name if it takes one: "--dpi N",
# "-o, --output FILE", "--sums".
_stria93_options() {
    "$1" "$2" --help 2>/dev/null |
        sed -nE 's/^  (-[^ ,]+(, -[^ ,]+)*( [A-Z][A-Z,]*)?)( .*)?$/\1/p'
}

# The values of an option, from a synopsis that lists them: "[--dpi 300|600|900|1200]".
_stria93_values() {
    "$1" --help 2>/dev/null | grep -oE -- "\[$2 [^] |]+(\|[^] |]+)+\]" | head -n 1 |
        sed -E 's/^\[[^ ]+ //; s/\]$//; s/\|/ /g'
}

_stria93() {
    local program=$1 cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    # --size=a: bash splits the word at "=", leaving the option two words back.
    if [[ $prev == = && $COMP_CWORD -ge 2 ]]; then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
    elif [[ $cur == = ]]; then
        cur=
    fi

    case $prev in
        -o | --output)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            return
            ;;
        --stock)
            mapfile -t COMPREPLY < <(compgen -W "$(_stria93_stocks "$program")" -- "$cur")
            return
            ;;
    esac

    if ((COMP_CWORD == 1)); then
        mapfile -t COMPREPLY < <(compgen -W "$(_stria93_commands "$program") --help --version" -- "$cur")
        return
    fi

    local options
    options=$(_stria93_options "$program" "${COMP_WORDS[1]}")
    [[ -n $options ]] || return
    # After an option that takes a value: its values, or nothing for a free one (--points N).
    if [[ $prev == -* ]] && grep -qE -- "(^|, )$prev [A-Z]" <<<"$options"; then
        mapfile -t COMPREPLY < <(compgen -W "$(_stria93_values "$program" "$prev")" -- "$cur")
        return
    fi
    # Data is free text, so only options are offered, and none after "--"; verify takes files.
    local word
    for word in "${COMP_WORDS[@]:2:COMP_CWORD-2}"; do
        [[ $word == -- ]] && return
    done
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$(sed -E 's/ [A-Z].*$//; s/,//g' <<<"$options")" -- "$cur")
    elif [[ ${COMP_WORDS[1]} == verify ]]; then
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    fi
}

complete -F _stria93 stria93
