// Calls a stdcall function the way a 32-bit Windows host may: on a stack
// aligned to 4 bytes only, with sentinels in the callee-saved registers and
// the host's x87 control word loaded, and records what the callee left.
//
// void CheckedCall(const void* function, const uint32_t* args, uint32_t count,
//                  uint32_t misalignment, uint32_t controlWord, TCallResult* result);
//
// result: +0 eax, +4 bytes the callee removed, +8 ebx, +12 esi, +16 edi,
// +20 ebp after the call, +24 x87 tag word, +26 x87 control word, +28 esp at
// the call. Returns normally whatever the callee did to the stack or the
// registers. Not reentrant: after the call neither esp nor any register can
// be trusted, so the frame is found again through static storage.

        .text
        .globl  _CheckedCall
        .def    _CheckedCall; .scl 2; .type 32; .endef
_CheckedCall:
        pushl   %ebp
        movl    %esp, %ebp
        pushl   %ebx
        pushl   %esi
        pushl   %edi
        subl    $36, %esp               // -16: caller's control word, -48: x87 environment
        fnstcw  -16(%ebp)
        movl    %ebp, checked_frame

        // esp at the call = a 16-byte boundary minus the misalignment.
        movl    16(%ebp), %ecx
        leal    (,%ecx,4), %eax
        movl    %esp, %edx
        subl    %eax, %edx
        andl    $-16, %edx
        subl    20(%ebp), %edx
        addl    %eax, %edx
        movl    %edx, %esp
        movl    12(%ebp), %esi
        jecxz   2f
1:      pushl   -4(%esi,%ecx,4)         // right to left
        loop    1b
2:      movl    8(%ebp), %eax
        fldcw   24(%ebp)
        movl    $0xB0B1B2B3, %ebx
        movl    $0x50515253, %esi
        movl    $0xD0D1D2D3, %edi
        movl    %esp, checked_before
        movl    $0xE0E1E2E3, %ebp       // last: the arguments were reached through ebp
        call    *%eax
        movl    %esp, checked_after
        movl    %ebp, checked_ebp

        movl    checked_frame, %ebp
        leal    -48(%ebp), %esp         // from the frame, not by popping: the callee may be wrong
        movl    28(%ebp), %ecx
        movl    %eax, 0(%ecx)
        movl    checked_after, %eax
        subl    checked_before, %eax
        movl    %eax, 4(%ecx)
        movl    %ebx, 8(%ecx)
        movl    %esi, 12(%ecx)
        movl    %edi, 16(%ecx)
        movl    checked_ebp, %eax
        movl    %eax, 20(%ecx)
        fnstcw  26(%ecx)                // before fnstenv, which masks all exceptions
        fnstenv -48(%ebp)
        movw    -40(%ebp), %ax
        movw    %ax, 24(%ecx)
        movl    checked_before, %eax
        movl    %eax, 28(%ecx)
        fninit                          // drop whatever the callee left on the x87 stack
        fldcw   -16(%ebp)

        leal    -12(%ebp), %esp
        popl    %edi
        popl    %esi
        popl    %ebx
        popl    %ebp
        ret

        .bss
        .balign 4
checked_frame:  .space 4
checked_before: .space 4
checked_after:  .space 4
checked_ebp:    .space 4
