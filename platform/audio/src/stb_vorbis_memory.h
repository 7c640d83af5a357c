/* What an open of the Ogg Vorbis decoder allocates on this thread, between the two calls:
   kept (freeAll 0: the decoder owns it and frees it) or freed (freeAll 1: the decoder
   refused the file and left some of it behind). */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif
void SuiteVorbisTrackBegin(void);
void SuiteVorbisTrackEnd(int freeAll);
#ifdef __cplusplus
}
#endif
