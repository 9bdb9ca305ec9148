// SDL backend of the platform layer.
