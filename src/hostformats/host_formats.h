// The converters of the host formats and their registration with the conversion drivers: the route
// driver calls the route converters for map types 3 (MVRS) and 4 (E5000), the reading driver the reading
// converters. The program calls RegisterHostFormats() once at start-up.
#pragma once

namespace zav {

class clsExchange;

// An MVRS or E5000 download file (RouteSource) into a route database (RouteDestination), on the
// conversion state the route driver prepared. True when the database was written without problems; the
// database stays open for the driver. THROWS RuntimeError when the database cannot be written.
bool ConvertRouteMVRS(clsExchange& ex);
bool ConvertRouteE5K(clsExchange& ex);

// The readings database (ReadingSource, read with the driver's FileVersion) into an MVRS or E5000 upload
// file (ReadingDestination). True when the whole database was converted and every value fitted its field.
bool ConvertReadingMVRS(clsExchange& ex);
bool ConvertReadingE5K(clsExchange& ex);

// Registers the four converters with the drivers.
void RegisterHostFormats();

}  // namespace zav
