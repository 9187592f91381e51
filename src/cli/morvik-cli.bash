# bash completion for morvik-cli: its commands and options, group files, and the entries of the
# group file already on the line (read with "morvik-cli list --names"), shell patterns quoted.

_morvik_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local commands="list extract create add delete rename cat check grpinfo identify"
    COMPREPLY=()

    case $prev in
    -d | --directory)
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -d -- "$cur")
        return
        ;;
    --from)
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
        return
        ;;
    --name | --flags | --dependency)
        return
        ;;
    esac

    # The command, the group file and the place of the current word among the arguments after
    # it; the values of options are not arguments.
    local command="" group="" argument=0 i word
    for ((i = 1; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        case $word in
        -d | --directory | --from | --name | --flags | --dependency) ((i++)) ;;
        -*) ;;
        *)
            if [[ -z $command ]]; then
                command=$word
            else
                [[ -z $group ]] && group=$word
                ((argument++))
            fi
            ;;
        esac
    done

    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            mapfile -t COMPREPLY < <(compgen -W "--help --version" -- "$cur")
        else
            mapfile -t COMPREPLY < <(compgen -W "$commands" -- "$cur")
        fi
        return
    fi

    if [[ $cur == -* ]]; then
        local options
        case $command in
        list) options="--names" ;;
        extract) options="-d --directory" ;;
        create) options="-f --force --from -d --directory" ;;
        add) options="--replace" ;;
        grpinfo) options="--name --flags --dependency" ;;
        esac
        mapfile -t COMPREPLY < <(compgen -W "$options --help" -- "$cur")
        return
    fi

    if ((argument == 0)); then
        # The group file: directories to walk into and files ending in .grp, in any case.
        compopt -o filenames 2>/dev/null
        local file
        while IFS= read -r file; do
            if [[ -d $file || ${file,,} == *.grp ]]; then
                COMPREPLY+=("$file")
            fi
        done < <(compgen -f -- "$cur")
        return
    fi

    case $command in
    list | extract | delete | cat) _morvik_cli_entries "$group" "$cur" ;;
    rename)
        if ((argument == 1)); then
            _morvik_cli_entries "$group" "$cur"
        fi
        ;;
    create | add)
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
        ;;
    identify)
        if ((argument == 1)); then
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -d -- "$cur")
        fi
        ;;
    esac
}

# Completes the entry names of a group file. A word with * or ? is a pattern: it is offered back
# in single quotes, so that the shell passes it to morvik-cli instead of matching files with it.
# The names are quoted for the shell, since an entry name may hold any byte.
_morvik_cli_entries() {
    local group=$1 cur=$2 name
    if [[ $cur == *[*?]* && $cur != \'* ]]; then
        COMPREPLY=("'$cur'")
        return
    fi
    group=${group/#\~/$HOME}
    [[ -f $group ]] || return
    local names=()
    while IFS= read -r name; do
        [[ $name == "$cur"* ]] && names+=("$name")
    done < <(morvik-cli list --names -- "$group" 2>/dev/null)
    for name in "${names[@]}"; do
        COMPREPLY+=("$(printf '%q' "$name")")
    done
}

complete -F _morvik_cli morvik-cli
