// placeholder: filled by its issue
