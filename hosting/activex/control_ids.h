/* Numbers that the type library, the registration and the code of Ruvo.ocx share, each written
   once. ruvo.idl includes it through widl's preprocessor, the C++ sources as a header. */
#ifndef RUVO_CONTROL_IDS_H
#define RUVO_CONTROL_IDS_H

/* The version of the type library: its version attribute and every registry key that names it.
   1.1 added the results on view and their events; 1.0 had datenice alone. */
#define RUVO_TYPELIB_VERSION 1.1

/* The DISPID of datenice, the one method of _Moravine. */
#define RUVO_DATENICE_DISPID 0x60030017

/* OLEMISC_RECOMPOSEONRESIZE | CANTLINKINSIDE | INSIDEOUT | ACTIVATEWHENVISIBLE |
   SETCLIENTSITEFIRST */
#define RUVO_MISC_STATUS 131473

#endif
