-- The catalogue cannot store contact data: the registration statement fails after the login.
DROP TABLE Contactos;
