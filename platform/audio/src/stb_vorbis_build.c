/* The Ogg Vorbis decoder (public-domain stb_vorbis, from the system's libstb-dev), built
   once here for every preset. Only the memory reader is used: no stdio, no push API.

   Its allocations go through two guards of ours. A bound: a damaged header must not have
   it ask for gigabytes (or for a size that overflowed to a negative number); it reports
   that it has no memory instead. And a list of what an open allocates: the decoder does
   not free everything when it refuses a damaged file, so the caller frees what is left. */
#include <stddef.h>
#include <stdlib.h>

#include "stb_vorbis_memory.h"

typedef struct Block {
  struct Block* prev;
  struct Block* next;
  int tracked;
  double align; /* what follows is aligned for any of the decoder's types */
} Block;

static _Thread_local Block* tracking; /* the list of the open running on this thread */
static _Thread_local int trackingOn;

static void* TrackedMalloc(size_t bytes) {
  if (bytes > ((size_t)64 << 20)) return NULL;
  Block* b = (Block*)malloc(offsetof(Block, align) + bytes);
  if (!b) return NULL;
  b->prev = NULL;
  b->next = NULL;
  b->tracked = trackingOn;
  if (trackingOn) {
    b->next = tracking;
    if (tracking) tracking->prev = b;
    tracking = b;
  }
  return &b->align;
}

static void TrackedFree(void* p) {
  if (!p) return;
  Block* b = (Block*)((char*)p - offsetof(Block, align));
  if (b->tracked) {
    if (b->prev) b->prev->next = b->next;
    else tracking = b->next;
    if (b->next) b->next->prev = b->prev;
  }
  free(b);
}

void SuiteVorbisTrackBegin(void) {
  tracking = NULL;
  trackingOn = 1;
}

void SuiteVorbisTrackEnd(int freeAll) {
  Block* b = tracking;
  while (b) {
    Block* next = b->next;
    if (freeAll) {
      free(b);
    } else {
      b->prev = b->next = NULL;
      b->tracked = 0;
    }
    b = next;
  }
  tracking = NULL;
  trackingOn = 0;
}

#define malloc(bytes) TrackedMalloc(bytes)
#define free(p) TrackedFree(p)
#define STB_VORBIS_NO_STDIO
#define STB_VORBIS_NO_PUSHDATA_API
#include <stb_vorbis.h>
