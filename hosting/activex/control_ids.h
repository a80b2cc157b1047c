/* Numbers that the type library, the registration and the code of Ruvo.ocx share, each written
   once. ruvo.idl includes it through widl's preprocessor, the C++ sources as a header. */
#ifndef RUVO_CONTROL_IDS_H
#define RUVO_CONTROL_IDS_H

/* The version of the type library: its version attribute and every registry key that names it.
   1.1 added the results on view and their events; 1.0 had datenice alone. */
#define RUVO_TYPELIB_VERSION 1.1

/* The DISPIDs of _Moravine's members. datenice's is the one 1.0 callers have bound to. */
#define RUVO_DATENICE_DISPID 0x60030017
#define RUVO_EDD_DISPID 0x60030018
#define RUVO_EDD_METHOD_DISPID 0x60030019
#define RUVO_GESTATION_AT_BIRTH_DAYS_DISPID 0x6003001A
#define RUVO_GESTATION_ON_DISPID 0x6003001B
#define RUVO_FHIR_DISPID 0x6003001C

/* The DISPIDs of the events of __Moravine. */
#define RUVO_EDD_CHANGED_DISPID 1
#define RUVO_GESTATION_AT_BIRTH_CHANGED_DISPID 2

/* OLEMISC_RECOMPOSEONRESIZE | CANTLINKINSIDE | INSIDEOUT | ACTIVATEWHENVISIBLE |
   SETCLIENTSITEFIRST */
#define RUVO_MISC_STATUS 131473

#endif
