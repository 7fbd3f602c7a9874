/* The texts of the program's version information. Plain defines, so the
   Windows resource script (app/velmora.rc) reads the same ones. */
#ifndef VELMORA_VERSION_STRINGS_H
#define VELMORA_VERSION_STRINGS_H

#define VELMORA_COMPANY_NAME "Brinlake"
#define VELMORA_PRODUCT_NAME "VELMORA v2"
#define VELMORA_COPYRIGHT "Copyright (C) 2026 Brinlake. All rights reserved."

#endif
