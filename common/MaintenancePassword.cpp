#include "common/MaintenancePassword.h"

bool isMaintenancePassword(const QString& typed) {
    return typed == QLatin1String("morvel52");
}
