# bash completion for stria93: commands, each command's options, their values, and file names
# after -o and for verify's pictures.

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

_stria93() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    # --size=a: bash splits the word at "=", leaving the option two words back.
    if [[ $prev == = && $COMP_CWORD -ge 2 ]]; then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
    elif [[ $cur == = ]]; then
        cur=
    fi

    local values=
    case $prev in
        --style) values='standard hr' ;;
        --size) values='a b c d e f' ;;
        --dpi) values='300 600 900 1200' ;;
        --format) values='bmp gif jpg png pdf svg' ;;
        --stock) values=$(_stria93_stocks "$1") ;;
        --min-grade) values='A B C D F' ;;
        -o | --output)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            return
            ;;
        --points | --bar-reduction | --start | --copies | --offset | --scale)
            COMPREPLY=()
            return
            ;;
    esac
    if [[ -n $values ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$values" -- "$cur")
        return
    fi

    if ((COMP_CWORD == 1)); then
        mapfile -t COMPREPLY < <(compgen -W 'encode export sheet verify setup setup-fonts --help --version' -- "$cur")
        return
    fi

    local options
    case ${COMP_WORDS[1]} in
        encode) options='--sums' ;;
        export) options='--style --size --points --dpi --format --sums --exact --bar-reduction --quiet -o' ;;
        sheet) options='--stock --start --copies --style --size --points --offset --scale -o --output --list --calibrate' ;;
        verify) options='--dpi --json --min-grade' ;;
        setup | setup-fonts) options='--quiet' ;;
        *) return ;;
    esac
    # Data is free text, so only options are offered, and none after "--"; verify takes files.
    local word
    for word in "${COMP_WORDS[@]:2:COMP_CWORD-2}"; do
        [[ $word == -- ]] && return
    done
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
    elif [[ ${COMP_WORDS[1]} == verify ]]; then
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    fi
}

complete -F _stria93 stria93
