// Network family: the LAN Manager calls that enumerate domains, servers and
// shares, and the local computer's name. On Windows these come from <lm.h>.
#pragma once

#ifdef _WIN32
#include <lm.h>
#else
#include "platform/win32_types.h"

typedef DWORD NET_API_STATUS;
typedef WCHAR* LMSTR;
typedef const WCHAR* LMCSTR;

typedef struct _SHARE_INFO_0 {
  LMSTR shi0_netname;
} SHARE_INFO_0, *PSHARE_INFO_0;

typedef struct _SHARE_INFO_1 {
  LMSTR shi1_netname;
  DWORD shi1_type;
  LMSTR shi1_remark;
} SHARE_INFO_1, *PSHARE_INFO_1;

typedef struct _SHARE_INFO_502 {
  LMSTR shi502_netname;
  DWORD shi502_type;
  LMSTR shi502_remark;
  DWORD shi502_permissions;
  DWORD shi502_max_uses;
  DWORD shi502_current_uses;
  LMSTR shi502_path;
  LMSTR shi502_passwd;
  DWORD shi502_reserved;
  void* shi502_security_descriptor;  // PSECURITY_DESCRIPTOR
} SHARE_INFO_502, *PSHARE_INFO_502;

typedef struct _SERVER_INFO_100 {
  DWORD sv100_platform_id;
  LMSTR sv100_name;
} SERVER_INFO_100, *PSERVER_INFO_100;

typedef struct _SERVER_INFO_101 {
  DWORD sv101_platform_id;
  LMSTR sv101_name;
  DWORD sv101_version_major;
  DWORD sv101_version_minor;
  DWORD sv101_type;
  LMSTR sv101_comment;
} SERVER_INFO_101, *PSERVER_INFO_101;

typedef struct _WKSTA_INFO_100 {
  DWORD wki100_platform_id;
  LMSTR wki100_computername;
  LMSTR wki100_langroup;
  DWORD wki100_ver_major;
  DWORD wki100_ver_minor;
} WKSTA_INFO_100, *PWKSTA_INFO_100;

#define NERR_Success 0
#define NERR_BASE 2100
#define NERR_NetNameNotFound (NERR_BASE + 210)
#define NERR_DCNotFound (NERR_BASE + 353)
#define MAX_PREFERRED_LENGTH ((DWORD)-1)
#define ERROR_MORE_DATA 234L
#define ERROR_INVALID_LEVEL 124L
#define ERROR_NO_BROWSER_SERVERS_FOUND 6118L
#define SV_TYPE_NT 0x00001000
#define SV_TYPE_DOMAIN_ENUM 0x80000000
#define STYPE_DISKTREE 0
#define STYPE_PRINTQ 1
#define STYPE_DEVICE 2
#define STYPE_IPC 3
#define STYPE_SPECIAL 0x80000000
#define MAX_COMPUTERNAME_LENGTH 15

NET_API_STATUS NetServerEnum(LMCSTR servername, DWORD level, LPBYTE* bufptr, DWORD prefmaxlen, LPDWORD entriesread,
                             LPDWORD totalentries, DWORD servertype, LMCSTR domain, LPDWORD resume_handle);
NET_API_STATUS NetShareEnum(LMSTR servername, DWORD level, LPBYTE* bufptr, DWORD prefmaxlen, LPDWORD entriesread,
                            LPDWORD totalentries, LPDWORD resume_handle);
NET_API_STATUS NetShareGetInfo(LMSTR servername, LMSTR netname, DWORD level, LPBYTE* bufptr);
NET_API_STATUS NetWkstaGetInfo(LMSTR servername, DWORD level, LPBYTE* bufptr);
NET_API_STATUS NetGetDCName(LMCSTR servername, LMCSTR domainname, LPBYTE* bufptr);
NET_API_STATUS NetApiBufferFree(LPVOID Buffer);
BOOL GetComputerNameW(LPWSTR lpBuffer, LPDWORD nSize);
#endif
