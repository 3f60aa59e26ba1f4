// Identifiers of the camera window (range 5000-5999).
#pragma once
