/* The Ogg Vorbis decoder (public-domain stb_vorbis, from the system's libstb-dev), built
   once here for every preset. Only the memory reader is used: no stdio, no push API. */
#define STB_VORBIS_NO_STDIO
#define STB_VORBIS_NO_PUSHDATA_API
#include <stb_vorbis.h>
