// Identifiers of the capture windows (range 4000-4999).
#pragma once
