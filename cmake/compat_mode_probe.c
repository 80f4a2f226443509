/* Exit 0 when this machine can run 32-bit x86 code (the CPU enters compatibility mode for a
 * 64-bit process, as Wine's WoW64 mode needs), 1 when it cannot: some virtual machines give user
 * code no usable 32-bit code segment, and every 32-bit program then dies at its first instruction. */
#include <setjmp.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <sys/mman.h>

static sigjmp_buf refused;
uint64_t saved_rsp __attribute__((used));

static void on_fault(int signal) { siglongjmp(refused, signal); }

/* Far-returns into the 32-bit user code segment (0x23), then from 32-bit code back into the 64-bit
 * one (0x33). The code and, while in 32-bit mode, the stack must lie below 4 GiB. */
static __attribute__((noinline)) void round_trip(void* stack_top) {
  __asm__ volatile(
      "movq %%rsp, saved_rsp(%%rip)\n\t"
      "movq %0, %%rsp\n\t"
      "pushq $0x23\n\t"
      "leaq 1f(%%rip), %%rax\n\t"
      "pushq %%rax\n\t"
      "lretq\n"
      ".code32\n"
      "1:\n\t"
      "pushl $0x33\n\t"
      "call 2f\n"
      "2:\n\t"
      "addl $(3f - 2b), (%%esp)\n\t"
      "lret\n"
      ".code64\n"
      "3:\n\t"
      "movq saved_rsp(%%rip), %%rsp\n\t"
      :
      : "r"(stack_top)
      : "rax", "memory");
}

int main(void) {
  const size_t size = 64 * 1024;
  char* stack = mmap(0, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
  if (stack == MAP_FAILED || (uintptr_t)round_trip > UINT32_MAX) {
    puts("compat-mode probe: cannot place its code and stack below 4 GiB");
    return 2;
  }
  signal(SIGSEGV, on_fault);
  signal(SIGBUS, on_fault);
  if (sigsetjmp(refused, 1) != 0) {
    puts("this machine cannot run 32-bit x86 code: its CPU refuses user programs a 32-bit code segment");
    return 1;
  }
  round_trip(stack + size - 64);
  puts("this machine runs 32-bit x86 code");
  return 0;
}
