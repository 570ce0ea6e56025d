// Placeholder translation unit for a subsystem folder that holds no sources yet.
