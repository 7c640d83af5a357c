// Exports a routine of this library from the program that links it under the plain name
// that partners look up, whatever the compiler calls it inside: at 32 bits a stdcall
// routine is decorated with "@" and the bytes of its arguments, which partners never see.
// The export goes with the object file, so only programs that use the routine export it.
#pragma once

#if defined(__i386__)
#define CONTROLS_EXPORT_AS(name, internal, argumentBytes) \
  __asm__(".section .drectve\n\t.ascii \" -export:" name "=" internal "@" #argumentBytes "\"\n\t.text")
#else
#define CONTROLS_EXPORT_AS(name, internal, argumentBytes) \
  __asm__(".section .drectve\n\t.ascii \" -export:" name "=" internal "\"\n\t.text")
#endif
