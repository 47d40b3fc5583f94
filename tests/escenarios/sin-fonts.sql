-- The download brings no Fonts folder.
DELETE FROM Archivos WHERE Producto = 'Sistema' AND Modo = 2 AND RutaLocal = 'Fonts\Léame.txt';
