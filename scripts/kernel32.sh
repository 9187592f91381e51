# Sourced by the set-up and the test run: whether this kernel runs 32-bit x86 programs, found by
# starting one rather than by reading the kernel's configuration (a kernel built with 32-bit
# support may have it switched off at boot: "32-bit emulation disabled" in its log).

# The smallest i386 Linux program: an ELF header, one loadable segment and the code
# `mov ebx, 42; mov eax, 1; int 0x80`, which exits with status 42.
morvik_tiny32='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
morvik_tiny32+='\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'
morvik_tiny32+='\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00'
morvik_tiny32+='\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08'
morvik_tiny32+='\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00'
morvik_tiny32+='\x00\x10\x00\x00\xbb\x2a\x00\x00\x00\xb8\x01\x00\x00\x00\xcd\x80'

# morvik_kernel_runs_32bit: status 0 when the tiny program ran and exited with its 42.
morvik_kernel_runs_32bit() {
    local probe status=0
    # In the build folder: a temporary folder may be mounted without the right to run programs.
    local folder
    folder="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build"
    mkdir -p "$folder"
    probe="$(mktemp "$folder/tiny32.XXXXXX")"
    printf "$morvik_tiny32" >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null || status=$?
    rm -f "$probe"
    [ "$status" -eq 42 ]
}
